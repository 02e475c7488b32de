// Sound effects through the real mixer, checked in what it wrote out. The test
// sounds are steady levels, so every start adds a known amount to the output.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "DiskOutput.h"
#include "WavBytes.h"
#include "audio/platform/MixerSounds.h"

namespace {

Sint16 Highest(const std::vector<Sint16>& samples) {
    return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
}

Sint16 Lowest(const std::vector<Sint16>& samples) {
    return samples.empty() ? 0 : *std::min_element(samples.begin(), samples.end());
}

void WaitUntilQuiet() {
    EXPECT_TRUE(WaitFor([] { return Mix_Playing(-1) == 0; }, 30));
    Wait(0.1);  // the last block reaches the file
}

}  // namespace

TEST(EffectOutput, ASoundStartedInConsecutiveFramesPlaysTwiceOverlapping) {
    DiskOutput out;
    {
        MixerSounds sounds(std::make_shared<Mixer>());
        int sound = sounds.Load(WriteLevel(out.Dir(), "a.wav", 1000, 1.0));
        ASSERT_NE(sound, 0);
        sounds.Play(sound);
        Wait(1.0 / 60);
        sounds.Play(sound);
        WaitUntilQuiet();
    }
    std::vector<Sint16> samples = DiskOutput::Read(out.Dir());
    EXPECT_NEAR(PlaySeconds(samples, 1000), 2.0, 0.01);  // two whole playbacks
    EXPECT_EQ(Highest(samples), 2000);                   // heard together
    EXPECT_EQ(Lowest(samples), 0);
}

TEST(EffectOutput, TwoHundredSimultaneousStartsAllSound) {
    DiskOutput out;
    {
        MixerSounds sounds(std::make_shared<Mixer>());
        int sound = sounds.Load(WriteLevel(out.Dir(), "a.wav", 100, 0.5));
        for (int i = 0; i < 200; ++i)
            sounds.Play(sound);
        EXPECT_GE(Mix_AllocateChannels(-1), 200);
        WaitUntilQuiet();
    }
    std::vector<Sint16> samples = DiskOutput::Read(out.Dir());
    EXPECT_NEAR(PlaySeconds(samples, 100), 200 * 0.5, 0.5);
    EXPECT_EQ(Highest(samples), 200 * 100);
}

TEST(EffectOutput, MissingAndCraftedFilesAreSilentWhileTheOthersPlayNamesInAnyCase) {
    DiskOutput out;
    {
        MixerSounds sounds(std::make_shared<Mixer>());
        int first = sounds.Load(WriteLevel(out.Dir(), "a.wav", 500, 0.3));
        // At 1 Hz the mixer's converted size wrapped past 2^31 (12,176 bytes) or
        // took a gigabyte (100 KB).
        std::ofstream(out.Dir() / "slow.wav", std::ios::binary) << Wav(1, 1, 1, 8, 12176);
        std::ofstream(out.Dir() / "slower.wav", std::ios::binary) << Wav(1, 1, 1, 8, 100 << 10);
        for (const char* name : {"crash.wav", "slow.wav", "slower.wav"}) {
            testing::internal::CaptureStderr();
            EXPECT_EQ(sounds.Load((out.Dir() / name).string()), 0) << name;
            std::string said = testing::internal::GetCapturedStderr();
            EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
            EXPECT_NE(said.find(name), std::string::npos) << said;
        }
        WriteLevel(out.Dir(), "B.WAV", 300, 0.3);
        int last = sounds.Load((out.Dir() / "b.wav").string());  // found in another case
        EXPECT_NE(last, 0);
        sounds.Play(first);
        sounds.Play(0);
        sounds.Play(last);
        WaitUntilQuiet();
    }
    std::vector<Sint16> samples = DiskOutput::Read(out.Dir());
    EXPECT_NEAR(PlaySeconds(samples, 100), 0.3 * (5 + 3), 0.01);
}

TEST(EffectOutput, LoudOverlapsClipInsteadOfWrappingAround) {
    DiskOutput out;
    {
        MixerSounds sounds(std::make_shared<Mixer>());
        int up = sounds.Load(WriteLevel(out.Dir(), "up.wav", 12000, 0.3));
        int down = sounds.Load(WriteLevel(out.Dir(), "down.wav", -12000, 0.3));
        for (int i = 0; i < 5; ++i)
            sounds.Play(up);
        WaitUntilQuiet();
        for (int i = 0; i < 5; ++i)
            sounds.Play(down);
        WaitUntilQuiet();
    }
    std::vector<Sint16> samples = DiskOutput::Read(out.Dir());
    EXPECT_EQ(Highest(samples), 32767);
    EXPECT_EQ(Lowest(samples), -32768);
    // Each overlap is pinned at its own end of the range for the whole sound.
    size_t pinnedHigh = std::count(samples.begin(), samples.end(), 32767);
    size_t pinnedLow = std::count(samples.begin(), samples.end(), -32768);
    EXPECT_NEAR(pinnedHigh / 2.0 / Mixer::kRate, 0.3, 0.01);
    EXPECT_NEAR(pinnedLow / 2.0 / Mixer::kRate, 0.3, 0.01);
}
