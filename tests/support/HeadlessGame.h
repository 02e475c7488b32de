#pragma once
// The whole game on the null back ends, with a one-triangle model for every
// model in a throwaway folder: for runs that count steps, time or allocations.
#include <string>

#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "support/TestMedia.h"

struct HeadlessGame {
    explicit HeadlessGame(const std::string& stage = "", HeadlessPlatform::Options options = {})
        : media(stage),
          platform(In(media, std::move(options))),
          app(platform),
          world(app.Play().Field()) {}

    static HeadlessPlatform::Options In(const TestMedia& media, HeadlessPlatform::Options options) {
        options.exeDir = media.ExeDir();
        return options;
    }

    TestMedia media;
    HeadlessPlatform platform;
    GameApp app;
    World& world;
};
