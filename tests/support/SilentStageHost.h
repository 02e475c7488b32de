#pragma once
#include <stdexcept>

#include "script/StageHost.h"

// A stage's commands reach nothing but the field, if there is one.
struct SilentStageHost : StageHost {
    explicit SilentStageHost(World* field = nullptr) : field(field) {}
    World& Field() override {
        if (!field) throw std::logic_error("this stage has no field to bring enemies to");
        return *field;
    }
    void PlayMusic(const MusicChoice&) override {}
    void FadeOutMusic(int) override {}
    void GameOver() override {}
    void BossFightBegins(bool) override {}
    void ClearStage(const MusicChoice&) override {}

    World* field;
};
