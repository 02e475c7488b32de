#pragma once
#include <functional>
#include <vector>

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
    void Render() override {
        ++renders;
        if (onRender) onRender();
    }
    void InvalidateDeviceObjects() override { ++invalidates; }
    void RestoreDeviceObjects() override { ++restores; }
    void OnEscape() override {
        ++escapes;
        if (escapeCloses) AppFramework::OnEscape();
    }
    void OnKeyPressed(int scancode) override { keys.push_back(scancode); }
    void OnPadButtonPressed(int button) override { buttons.push_back(button); }

    FrameClock& Clock() { return clock; }

    int updates = 0, renders = 0, invalidates = 0, restores = 0, escapes = 0;
    bool escapeCloses = true;
    std::vector<int> keys, buttons;
    std::function<void()> onUpdate, onRender;
};
