// The player's volumes reach the sound while it plays, through the platform
// that made the back ends, as the options screen changes them.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "DiskOutput.h"
#include "Midi.h"
#include "WavBytes.h"
#include "app/platform/SdlPlatform.h"
#include "audio/platform/FluidMusic.h"

namespace {

Settings WithVolumes(int music, int effects) {
    Settings settings;
    settings.musicVolume = music;
    settings.effectsVolume = effects;
    return settings;
}

double MeanRms(const Blocks& blocks, size_t from, size_t count) {
    double sum = 0;
    for (size_t i = from; i < from + count && i < blocks.rms.size(); ++i)
        sum += blocks.rms[i];
    return sum / static_cast<double>(count);
}

}  // namespace

TEST(SettingsApplied, TheEffectsVolumeChangesTheNextSoundsAndTheGoneBackEndIsLeftAlone) {
    DiskOutput out;
    {
        SdlPlatform platform({}, WithVolumes(100, 100));
        std::unique_ptr<AudioBackend> sounds = platform.CreateAudioBackend();
        int sound = sounds->Load(WriteLevel(out.Dir(), "a.wav", 1000, 0.5));
        ASSERT_NE(sound, 0);
        for (int volume : {100, 50, 0}) {
            platform.ApplySettings(WithVolumes(100, volume));
            sounds->Play(sound);
            EXPECT_TRUE(WaitFor([] { return Mix_Playing(-1) == 0; }, 30));
        }
        Wait(0.1);
        sounds.reset();
        platform.ApplySettings(WithVolumes(100, 100));  // nothing left to reach
    }
    // Half a second at full, at half, at nothing.
    EXPECT_NEAR(PlaySeconds(DiskOutput::Read(out.Dir()), 1000), 0.5 + 0.25, 0.01);
}

TEST(SettingsApplied, TheMusicVolumeChangesThePieceWhileItPlays) {
    DiskOutput out;
    {
        SdlPlatform platform({}, WithVolumes(100, 100));
        std::unique_ptr<MusicBackend> music = platform.CreateMusicBackend();
        auto* fluid = dynamic_cast<FluidMusic*>(music.get());
        ASSERT_NE(fluid, nullptr);
        ASSERT_TRUE(WaitFor([fluid] { return fluid->IsLoaded(); }, 30));
        std::string path = (out.Dir() / "organ.mid").string();
        mkmedia::midi::Song song("Organ");
        song.Tempo(0, 120);
        song.AddTrack("Organ", 0, 16, 127, 64, 0).Note(0, 20 * 960, 60, 110);
        ASSERT_TRUE(song.Write(path, 20 * 960));
        ASSERT_TRUE(music->Open(path));
        music->Play();
        Wait(1.5);
        platform.ApplySettings(WithVolumes(50, 100));
        Wait(1.5);
        platform.ApplySettings(WithVolumes(0, 100));
        Wait(1.5);
        music.reset();
        platform.ApplySettings(WithVolumes(100, 100));
    }
    Blocks blocks(DiskOutput::Read(out.Dir()));
    size_t start = 0;
    while (start < blocks.rms.size() && blocks.rms[start] < 0.001)
        ++start;
    ASSERT_LT(start + 220, blocks.rms.size());
    // Half a second well before the change and well after it, from the first sound.
    double full = MeanRms(blocks, start + 20, 50), half = MeanRms(blocks, start + 170, 50);
    EXPECT_GT(full, 0.01);
    EXPECT_NEAR(half / full, 0.5, 0.1);
    size_t tail = 0;
    for (size_t i = blocks.silent.size(); i > 0 && blocks.silent[i - 1]; --i)
        ++tail;
    EXPECT_GT(tail, 50u);
}
