#pragma once
#include "app/AppFramework.h"

// The game's application object.
class GameApp : public AppFramework {
public:
    explicit GameApp(Platform& platform);
    void Update() override;
    void Render() override;
};
