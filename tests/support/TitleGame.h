#pragma once
// The whole game at its title, headless, started as the test chooses and
// driven a step at a time: for tests of what the title leads to.
#include <filesystem>
#include <memory>

#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "game/Scenes.h"
#include "support/FakeVideo.h"
#include "support/Pads.h"
#include "support/RecordingBackend.h"
#include "support/TestMedia.h"

struct TitleGame {
    // user: the player's folder (records, replays, stages); none keeps nothing.
    // The game's own score file lies beside its files.
    explicit TitleGame(const TestMedia& media, const GameStart& start = {},
                       const std::filesystem::path& user = {}) {
        HeadlessPlatform::Options options;
        options.exeDir = media.ExeDir();
        if (!user.empty()) {
            options.saveDir = media.ExeDir() + "Media/";
            options.userSaveDir = user.string() + "/";
        }
        options.makeBackend = [] { return std::make_unique<RecordingBackend>(); };
        options.makeVideoPlayer = [](auto&&...) { return std::make_unique<FakeVideo>(); };
        platform = std::make_unique<HeadlessPlatform>(options);
        app = std::make_unique<GameApp>(*platform, start);
        app->ShowTitle();
    }
    void Step(const PadState& pad = {}) {
        platform->input->Append(pad);
        app->Update();
    }
    // Holds a key for a step, then lets it go.
    void Press(Hold key) {
        Step(Pad({key}));
        Step();
    }
    template <class T>
    T* Find() {
        for (Scene* s : Each<Scene>(app->Scenes().Pool())) {
            if (auto* t = dynamic_cast<T*>(s)) return t;
        }
        return nullptr;
    }

    std::unique_ptr<HeadlessPlatform> platform;
    std::unique_ptr<GameApp> app;
};
