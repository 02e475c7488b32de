#pragma once
#include <functional>

#include "app/AppFramework.h"
#include "app/HeadlessPlatform.h"

// An application that counts the framework's calls into it.
class TestApp : public AppFramework {
public:
    explicit TestApp(HeadlessPlatform& platform) : AppFramework("Velmora", platform) {}

    void Update() override {
        ++updates;
        if (onUpdate) onUpdate();
    }
    void Render() override { ++renders; }
    void InvalidateDeviceObjects() override { ++invalidates; }
    void RestoreDeviceObjects() override { ++restores; }

    FrameClock& Clock() { return clock; }

    int updates = 0, renders = 0, invalidates = 0, restores = 0;
    std::function<void()> onUpdate;
};
