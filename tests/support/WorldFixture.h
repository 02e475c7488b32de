#pragma once
// A play field on its own, driven one step at a time: every model is a
// one-triangle mesh made in memory, the device records what is drawn and the
// sounds count their starts. Nothing is read from disk and no window opens.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "app/HeadlessPlatform.h"
#include "audio/SilentAudio.h"
#include "graphics/BitmapFont.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/Mesh.h"
#include "support/Pads.h"
#include "support/RecordingBackend.h"
#include "support/TestEnemy.h"
#include "support/TriangleModel.h"
#include "world/World.h"

// Remembers what the field asked of the game.
struct RecordingFlow : GameFlow {
    void GameOver() override { ++gameOvers; }
    void HaltStage() override { ++halts; }
    void BossWarning() override { ++warnings; }
    void BossFightEnded() override { ++fightsEnded; }
    int gameOvers = 0, halts = 0, warnings = 0, fightsEnded = 0;
};

// The assets of a world, made in memory.
class InMemoryAssets {
public:
    explicit InMemoryAssets(std::unique_ptr<ImageDecoder> images = nullptr)
        : device(std::make_unique<RecordingBackend>(),
                 images ? std::move(images) : std::make_unique<NullImageDecoder>(), 640, 480) {
        device.ResetOrCreate();
        for (int i = 0; i < kModelCount; ++i) {
            models.push_back(Mesh::FromMemory(device, kTriangleModel, ""));
            refs.models[i] = models.back().get();
        }
        font = std::make_unique<BitmapFont>(device, "", "0123456789", 0.03125f, 0.14285715f, 8.0f,
                                            8.0f, 2.0f, 2.0f);
        auto silent = std::make_unique<SilentAudio>();
        audio = silent.get();
        soundPlayer = std::make_unique<SoundPlayer>(std::move(silent));
        for (int i = 0; i < kSoundCount; ++i)
            refs.sounds[i] = soundPlayer->Load(AssetAt(AssetKind::Sound, i).file);
        refs.font = font.get();
        refs.soundPlayer = soundPlayer.get();
        refs.screen = &device;
    }

    RecordingBackend& Backend() { return *static_cast<RecordingBackend*>(device.GetDevice()); }
    int Plays(SoundRef sound) const { return audio->PlayCount(refs.sounds[sound.index].Id()); }

    GraphicsDevice device;
    std::vector<std::unique_ptr<Mesh>> models;
    std::unique_ptr<BitmapFont> font;
    std::unique_ptr<SoundPlayer> soundPlayer;
    SilentAudio* audio;
    WorldAssets refs;
};

class WorldFixture : public ::testing::Test {
protected:
    void Step(const PadState& pad = {}) {
        world.SetPad(pad);
        world.Step();
    }
    void Steps(int n, const PadState& pad = {}) {
        for (int i = 0; i < n; ++i)
            Step(pad);
    }
    int Plays(SoundRef sound) const { return assets.Plays(sound); }
    RecordingBackend& Backend() { return assets.Backend(); }

    // The objects of a pool that are of kind T, in list order.
    template <class T>
    static std::vector<T*> All(const ObjectPool& pool) {
        std::vector<T*> all;
        for (GameObject* o : Each<GameObject>(pool)) {
            if (auto* t = dynamic_cast<T*>(o)) all.push_back(t);
        }
        return all;
    }
    template <class T>
    static int CountOf(const ObjectPool& pool) {
        return static_cast<int>(All<T>(pool).size());
    }
    template <class T>
    static T* First(const ObjectPool& pool) {
        std::vector<T*> all = All<T>(pool);
        return all.empty() ? nullptr : all.front();
    }

    InMemoryAssets assets;
    RecordingFlow flow;
    World world{assets.refs, flow};
};
