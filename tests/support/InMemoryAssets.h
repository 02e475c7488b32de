#pragma once
// A world's assets made in memory: every model is a one-triangle mesh, the
// device records what is drawn and the sounds count their starts. Nothing is
// read from disk and no window opens.
#include <memory>
#include <vector>

#include "app/HeadlessPlatform.h"
#include "audio/SilentAudio.h"
#include "graphics/BitmapFont.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/Mesh.h"
#include "support/RecordingBackend.h"
#include "support/TriangleModel.h"
#include "world/World.h"

// Remembers what the field asked of the game.
struct RecordingFlow : GameFlow {
    void GameOver() override { ++gameOvers; }
    void BossWarning() override { ++warnings; }
    void BossFightEnded() override { ++fightsEnded; }
    int gameOvers = 0, warnings = 0, fightsEnded = 0;
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
