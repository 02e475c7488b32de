#pragma once
#include "world/GameObject.h"

class GameApp;

// A state of the game's flow (title, pause, game over...). Scenes live in the
// game's scene pool, which runs also while the play field is paused, and draw
// last. They are made with GameApp::CreateScene.
class Scene : public GameObject {
public:
    // Room for a scene's own counters and flags.
    static constexpr std::size_t kSlotSize = 96;

    explicit Scene(GameApp& app);

protected:
    GameApp& app;
};
