#pragma once
// The whole game, headless, driven one step at a time: for tests of the
// application itself (its step and frame order, scenes, music, video).
#include <memory>

#include <gtest/gtest.h>

#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "support/Pads.h"
#include "support/RecordingBackend.h"
#include "support/TestEnemy.h"
#include "support/TestMedia.h"

class GameFixture : public ::testing::Test {
protected:
    // stage: the text of the stage script, if the test needs one.
    explicit GameFixture(HeadlessPlatform::Options options = {}, const std::string& stage = "")
        : media(stage),
          platform(WithMedia(std::move(options))),
          app(platform),
          world(app.Play().Field()) {}

    void Step(const PadState& pad = {}) {
        platform.input->Append(pad);
        app.Update();
    }
    void Steps(int n, const PadState& pad = {}) {
        for (int i = 0; i < n; ++i)
            Step(pad);
    }
    RecordingBackend& Backend() { return *static_cast<RecordingBackend*>(platform.backend); }

    TestMedia media;
    HeadlessPlatform platform;
    GameApp app;
    World& world;

private:
    HeadlessPlatform::Options WithMedia(HeadlessPlatform::Options options) {
        options.exeDir = media.ExeDir();
        options.makeBackend = [] { return std::make_unique<RecordingBackend>(); };
        return options;
    }
};
