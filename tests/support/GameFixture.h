#pragma once
#include <initializer_list>
#include <memory>

#include <gtest/gtest.h>

#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "graphics/Mesh.h"
#include "support/RecordingBackend.h"
#include "support/TestMedia.h"
#include "world/Enemy.h"

// The keys of a step.
enum class Hold { Up, Down, Left, Right, Fire, Hover, Freeze, CatchUp };

inline PadState Pad(std::initializer_list<Hold> held = {}) {
    PadState pad;
    bool* keys[] = {&pad.up,         &pad.down,       &pad.left,       &pad.right,
                    &pad.buttons[0], &pad.buttons[1], &pad.buttons[3], &pad.buttons[4]};
    for (Hold h : held)
        *keys[static_cast<int>(h)] = true;
    return pad;
}

// A plain enemy that stands still, with a small enemy's hit box and drawing.
struct TestEnemy : Enemy {
    TestEnemy(float x, float y, float hitPoints = 10.0f)
        : Enemy(App().models.obj1.get(), x, y, -2.5f, -2.5f, 2.5f, 2.5f, hitPoints, 100) {}
    void Draw() override {
        model->Draw({x, depth, -y}, {1, 1, 1}, {0.125f, yaw, 0}, 15, 1.0f, false);
    }
};

// A headless game driven one step at a time. Every model loads (a single
// triangle), so draws reach the device, which records them.
class GameFixture : public ::testing::Test {
protected:
    explicit GameFixture(HeadlessPlatform::Options options = {})
        : platform(WithMedia(std::move(options))), app(platform) {}

    void Step(const PadState& pad = {}) {
        platform.input->Append(pad);
        app.Update();
    }
    void Steps(int n, const PadState& pad = {}) {
        for (int i = 0; i < n; ++i)
            Step(pad);
    }
    int Plays(const SoundEffect& sound) const { return platform.audio->PlayCount(sound.Id()); }
    RecordingBackend& Backend() { return *static_cast<RecordingBackend*>(platform.backend); }

    TestMedia media;
    HeadlessPlatform platform;
    GameApp app;

private:
    HeadlessPlatform::Options WithMedia(HeadlessPlatform::Options options) {
        options.exeDir = media.ExeDir();
        options.makeBackend = [] { return std::make_unique<RecordingBackend>(); };
        return options;
    }
};
