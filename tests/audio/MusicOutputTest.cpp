// Music through FluidSynth and the real mixer, checked in what it wrote out.
// The test pieces hold one organ note, a steady sound whose length and level
// are easy to read back.
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "DiskOutput.h"
#include "Midi.h"
#include "audio/MusicPlayer.h"
#include "audio/SoundPlayer.h"
#include "audio/platform/FluidMusic.h"
#include "audio/platform/MixerSounds.h"
#include "audio/platform/MusicStream.h"

namespace {

// An organ note held for `seconds`, then the end of the piece.
std::string WriteOrgan(const std::filesystem::path& dir, double seconds) {
    std::string path = (dir / "organ.mid").string();
    mkmedia::midi::Song song("Organ");
    song.Tempo(0, 120);  // two quarters, 960 ticks, a second
    auto ticks = static_cast<uint32_t>(seconds * 960);
    song.AddTrack("Organ", 0, 16, 127, 64, 0).Note(0, ticks, 60, 110);
    EXPECT_TRUE(song.Write(path, ticks));
    return path;
}

// A player on FluidSynth, once its soundfont is in: timings start only then.
struct Music {
    explicit Music(std::shared_ptr<Mixer> mixer = std::make_shared<Mixer>(),
                   const std::string& soundFont = FluidMusic::kSoundFont)
        : backend(new FluidMusic(std::move(mixer), soundFont)),
          player(std::unique_ptr<MusicBackend>(backend)) {
        EXPECT_TRUE(WaitFor([this] { return backend->IsLoaded(); }, 30));
    }
    bool WaitUntilComplete() {
        return WaitFor([this] { return player.IsComplete(); }, 30);
    }
    FluidMusic* backend;
    MusicPlayer player;
};

}  // namespace

TEST(MusicOutput, VolumeFollowsTheLogarithmicMappingAndZeroIsSilent) {
    DiskOutput out;
    {
        Music music;
        ASSERT_TRUE(music.player.Open(WriteOrgan(out.Dir(), 20)));
        music.player.Play();
        Wait(0.8);
        music.player.SetVolume(0.5f);
        Wait(0.8);
        music.player.SetVolume(0.0f);
        Wait(1.0);
        EXPECT_FALSE(music.player.IsComplete());
    }
    Blocks blocks(DiskOutput::Read(out.Dir()));
    // The organ wavers, so levels are powers over 0.3 s. The steepest fall
    // between two such spans that are sounding throughout is the change from
    // 1.0 to 0.5 (the change to 0.0 ends in silence).
    const size_t span = 30;
    double fall = 0, full = 0;
    for (size_t i = span; i + span <= blocks.rms.size(); ++i) {
        double before = 0, after = 0;
        bool sounding = true;
        for (size_t k = 0; k < span; ++k) {
            before += blocks.rms[i - span + k] * blocks.rms[i - span + k];
            after += blocks.rms[i + k] * blocks.rms[i + k];
            sounding = sounding && !blocks.silent[i - span + k] && !blocks.silent[i + k];
        }
        if (sounding && 10 * std::log10(after / before) < fall) {
            fall = 10 * std::log10(after / before);
            full = std::sqrt(before / span);
        }
    }
    EXPECT_GT(full, 0.01);
    // -301 hundredths of a decibel, as amplitude on the mixer's 0..128 scale.
    EXPECT_NEAR(fall, -3.01, 0.3);
    // At 0.0 nothing at all came out, though the piece went on.
    size_t tail = 0;
    for (size_t i = blocks.silent.size(); i > 0 && blocks.silent[i - 1]; --i)
        ++tail;
    EXPECT_GT(tail, 20u);
}

TEST(MusicOutput, PlayGoesOnFromAPauseAndStartsThePieceAgainAfterAStop) {
    for (bool stop : {false, true}) {
        SCOPED_TRACE(stop ? "stop" : "pause");
        DiskOutput out;
        {
            Music music;
            ASSERT_TRUE(music.player.Open(WriteOrgan(out.Dir(), 1.5)));
            music.player.Play();
            Wait(stop ? 1.0 : 0.5);
            stop ? music.player.Stop() : music.player.Pause();
            Wait(1.0);
            EXPECT_FALSE(music.player.IsComplete());
            music.player.Play();
            EXPECT_TRUE(music.WaitUntilComplete());
            Wait(0.3);
        }
        Blocks blocks(DiskOutput::Read(out.Dir()));
        EXPECT_GT(blocks.LongestGap(), 0.3);
        if (stop) {
            // Up to a second before the stop, then the whole 1.5 s again.
            EXPECT_GT(blocks.SoundingSeconds(), 1.9);
            EXPECT_LT(blocks.SoundingSeconds(), 2.9);
        } else {
            // The note was heard for its length once, not more (release included).
            EXPECT_NEAR(blocks.SoundingSeconds(), 1.5, 0.25);
        }
    }
}

TEST(MusicOutput, AnEndedPieceIsCompleteUntilItIsRewoundAndPlayed) {
    DiskOutput out;
    {
        Music music;
        ASSERT_TRUE(music.player.Open(WriteOrgan(out.Dir(), 0.6)));
        music.player.Play();
        ASSERT_TRUE(music.WaitUntilComplete());
        Wait(0.5);
        EXPECT_TRUE(music.player.IsComplete());
        music.player.SetPosition(0.0);
        music.player.Play();
        EXPECT_FALSE(music.player.IsComplete());
        EXPECT_TRUE(music.WaitUntilComplete());
        Wait(0.3);
    }
    Blocks blocks(DiskOutput::Read(out.Dir()));
    EXPECT_NEAR(blocks.SoundingSeconds(), 1.2, 0.3);
    EXPECT_GT(blocks.LongestGap(), 0.15);
}

// Each with one line on stderr: no soundfont, and pieces that are missing,
// empty or garbage. The pieces still run to their end, silently.
TEST(MusicOutput, AMissingSoundfontAndBadPiecesSayOneLineEachAndStaySilent) {
    DiskOutput out;
    std::ofstream(out.Dir() / "garbage.mid") << std::string(5000, 'x');
    std::ofstream(out.Dir() / "empty.mid");
    {
        auto mixer = std::make_shared<Mixer>();
        testing::internal::CaptureStderr();
        Music music(mixer, out.Dir() / "none.sf2");
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        for (const char* name : {"garbage.mid", "empty.mid", "missing.mid"}) {
            testing::internal::CaptureStderr();
            EXPECT_FALSE(music.player.Open((out.Dir() / name).string())) << name;
            said = testing::internal::GetCapturedStderr();
            EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
            music.player.Play();
            EXPECT_TRUE(music.player.IsComplete());
        }
        ASSERT_TRUE(music.player.Open(WriteOrgan(out.Dir(), 0.5)));
        music.player.Play();
        EXPECT_TRUE(music.WaitUntilComplete());
    }
    Blocks blocks(DiskOutput::Read(out.Dir()));
    EXPECT_FALSE(blocks.silent.empty());
    EXPECT_EQ(std::count(blocks.silent.begin(), blocks.silent.end(), false), 0);
}

// The synthesiser lets a piece ring out for two seconds before it reports the
// end, so even a piece with nothing in it is loaded again that seldom.
TEST(MusicOutput, APieceThatEndsAtOnceIsLoopedOnceASecondAtMost) {
    DiskOutput out;
    Music music;
    ASSERT_TRUE(music.player.Open(WriteOrgan(out.Dir(), 0.01)));
    music.player.Play();
    // The first end comes when the synthesiser gets to it; from then on, the
    // game's loop rule, run at full speed for three seconds.
    ASSERT_TRUE(music.WaitUntilComplete());
    int ends = 0;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < until) {
        if (music.player.IsComplete()) {
            ++ends;
            music.player.SetPosition(0.0);
            music.player.Play();
        }
        Wait(0.001);
    }
    EXPECT_GE(ends, 1);  // the first at once
    EXPECT_LE(ends, 3);
}

namespace {

// A synthesiser that takes far longer than real time for each block.
struct SlowSource : BlockSource {
    static constexpr double kSeconds = 0.3;
    void Fill(float* samples, int frames) override {
        std::fill(samples, samples + 2 * frames, 0.25f);
        Wait(kSeconds);
        ++blocks;
    }
    std::atomic<int> blocks{0};
};

}  // namespace

TEST(MusicOutput, SlowSynthesisNeverHoldsUpAStep) {
    DiskOutput out;
    auto mixer = std::make_shared<Mixer>();
    MixerSounds sounds(mixer);
    int sound = sounds.Load(WriteLevel(out.Dir(), "a.wav", 100, 0.05));
    SlowSource source;
    MusicStream stream(mixer, source);
    stream.SetRunning(true);
    // Steps at full speed for more than a second, each starting a sound and
    // setting the music's volume, as the game's steps do.
    double worst = 0;
    int steps = 0;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(1200);
    while (std::chrono::steady_clock::now() < until) {
        auto start = std::chrono::steady_clock::now();
        sounds.Play(sound);
        stream.SetVolume(SDL_MIX_MAXVOLUME, SDL_MIX_MAXVOLUME / 2);
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        worst = std::max(worst, took.count());
        ++steps;
        Wait(0.001);
    }
    EXPECT_GE(source.blocks.load(), 3);  // the synthesis went on meanwhile
    EXPECT_GT(steps, 50);
    // A step that waited for a block would take most of one; a busy machine
    // alone never makes a step that slow.
    EXPECT_LT(worst, SlowSource::kSeconds / 3);
}

TEST(NoSoundDevice, EffectsAndMusicRunOnTheDummyDriverWithOneLine) {
    DiskOutput out;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    testing::internal::CaptureStderr();
    auto mixer = std::make_shared<Mixer>();
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(mixer->IsOpen());
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");

    SoundPlayer sounds(std::make_unique<MixerSounds>(mixer));
    sounds.Play(sounds.Load(WriteLevel(out.Dir(), "a.wav", 1000, 0.2)));
    EXPECT_EQ(Mix_Playing(-1), 1);
    Music music(mixer);
    ASSERT_TRUE(music.player.Open(WriteOrgan(out.Dir(), 0.3)));
    music.player.Play();
    EXPECT_TRUE(music.WaitUntilComplete());
    EXPECT_EQ(Mix_Playing(-1), 0);
}
