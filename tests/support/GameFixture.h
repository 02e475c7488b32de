#pragma once
// The whole game, headless, driven one step at a time: for tests of the
// application itself (its step and frame order, scenes, music, video).
#include <memory>

#include <gtest/gtest.h>

#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "game/Scenes.h"
#include "support/FakeVideo.h"
#include "support/Pads.h"
#include "support/RecordingBackend.h"
#include "support/TestEnemy.h"
#include "support/TestMedia.h"

// Every image decodes to one white pixel, so models have textures of their own.
struct WhiteImages : ImageDecoder {
    Image Decode(const std::string&) override { return Image{1, 1, {0xFFFFFFFF}}; }
};

class GameFixture : public ::testing::Test {
protected:
    // stage: the text of the stage script, if the test needs one. The video is
    // a FakeVideo unless the options make another.
    explicit GameFixture(const std::string& stage = "", HeadlessPlatform::Options options = {})
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
    // Presses and lets go of a key, one step each.
    void Press(Hold key) {
        Step(Pad({key}));
        Step();
    }
    template <class T>
    T* Find() {
        for (Scene* s : Each<Scene>(app.Scenes().Pool())) {
            if (auto* t = dynamic_cast<T*>(s)) return t;
        }
        return nullptr;
    }
    RecordingBackend& Backend() { return *static_cast<RecordingBackend*>(platform.backend); }
    FakeVideo& Video() { return *static_cast<FakeVideo*>(platform.video); }
    SilentMusic& Music() { return *platform.music; }
    // The quads drawn in a frame at a height, left to right.
    std::vector<RecordingBackend::QuadDraw> QuadsAt(float y) {
        Backend().Forget();
        app.Render();
        std::vector<RecordingBackend::QuadDraw> row;
        for (const auto& q : Backend().quadDraws)
            if (q.y == y) row.push_back(q);
        return row;
    }

    TestMedia media;
    HeadlessPlatform platform;
    GameApp app;
    World& world;

private:
    HeadlessPlatform::Options WithMedia(HeadlessPlatform::Options options) {
        options.exeDir = media.ExeDir();
        options.makeBackend = [] { return std::make_unique<RecordingBackend>(); };
        options.makeImageDecoder = [] { return std::make_unique<WhiteImages>(); };
        if (!options.makeVideoPlayer)
            options.makeVideoPlayer = [](auto&&...) { return std::make_unique<FakeVideo>(); };
        return options;
    }
};
