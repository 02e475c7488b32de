#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "WavBytes.h"
#include "audio/MidiFile.h"
#include "audio/MusicPlayer.h"
#include "audio/SilentMusic.h"
#include "audio/WavCheck.h"

// The real level of 0.5 is heard in MusicOutput; here the ends of the range.
TEST(MusicVolume, SilentAtZeroOrBelowOrNaNAndFullFromOneUp) {
    for (float silent : {0.0f, -1.0f, 1e-20f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(MusicPlayer::VolumeLevel(silent), -10000) << silent;
    EXPECT_EQ(MusicPlayer::VolumeLevel(1.0f), 0);
    EXPECT_EQ(MusicPlayer::VolumeLevel(2.0f), 0);
}

class MusicState : public ::testing::Test {
protected:
    MusicState() : music(*new SilentMusic), player(std::unique_ptr<SilentMusic>(&music)) {}
    SilentMusic& music;
    MusicPlayer player;
};

// The game restarts its music whenever IsComplete says so.
TEST_F(MusicState, APieceIsCompleteOnlyWhileRunningAtItsEnd) {
    EXPECT_TRUE(player.IsComplete());  // nothing open
    music.level = -5000;
    ASSERT_TRUE(player.Open("a.mid"));
    EXPECT_EQ(music.level, 0);  // opening restores full volume
    EXPECT_FALSE(player.IsComplete());
    player.Play();
    EXPECT_FALSE(player.IsComplete());
    music.Finish();
    EXPECT_TRUE(player.IsComplete());
    EXPECT_TRUE(player.IsComplete());  // polling does not consume the end
    player.Pause();
    EXPECT_FALSE(player.IsComplete());
    player.Play();
    EXPECT_TRUE(player.IsComplete());  // still at the end

    // The loop: rewind and play again.
    player.SetPosition(0.0);
    player.Play();
    EXPECT_FALSE(player.IsComplete());
    music.Finish();
    player.Stop();
    EXPECT_EQ(music.position, 0.0);
    EXPECT_FALSE(player.IsComplete());
    player.Play();
    EXPECT_FALSE(player.IsComplete());  // Stop rewound it

    // Opening another piece starts it stopped at its beginning.
    music.Finish();
    ASSERT_TRUE(player.Open("b.mid"));
    player.Play();
    EXPECT_FALSE(player.IsComplete());
    // Positions before the start rewind.
    for (double before : {-3.0, std::nan("")}) {
        player.SetPosition(before);
        EXPECT_EQ(music.position, 0.0);
    }
}

namespace {

// A header for `tracks` tracks at 480 ticks per quarter, then the chunks.
std::string Smf(int tracks, const std::string& chunks, int division = 480) {
    std::string s = "MThd";
    s += std::string("\0\0\0\x06\0\x01", 6);
    s += static_cast<char>(tracks >> 8);
    s += static_cast<char>(tracks & 0xFF);
    s += static_cast<char>(division >> 8);
    s += static_cast<char>(division & 0xFF);
    return s + chunks;
}

std::string Chunk(const char* id, const std::string& body) {
    std::string s = id;
    uint32_t n = static_cast<uint32_t>(body.size());
    for (int i = 3; i >= 0; --i)
        s += static_cast<char>((n >> (8 * i)) & 0xFF);
    return s + body;
}

const std::string kEndOfTrack("\0\xFF\x2F\0", 4);

}  // namespace

TEST(MidiOutline, AcceptsWholeFilesAndRefusesBrokenOnes) {
    std::string track = Chunk("MTrk", kEndOfTrack);
    MidiOutline ok = ReadMidiOutline(Smf(2, track + Chunk("XFIH", "junk") + track));
    EXPECT_TRUE(ok.valid);
    EXPECT_EQ(ok.ticksPerQuarter, 480);
    // 25 frames per second, 40 ticks per frame.
    MidiOutline smpte = ReadMidiOutline(Smf(1, track, (256 - 25) << 8 | 40));
    EXPECT_TRUE(smpte.valid);
    EXPECT_EQ(smpte.ticksPerSecond, 1000);

    std::string whole = Smf(1, track);
    EXPECT_FALSE(ReadMidiOutline("").valid);
    EXPECT_FALSE(ReadMidiOutline(std::string(5000, 'x')).valid);
    EXPECT_FALSE(ReadMidiOutline(whole.substr(0, whole.size() - 1)).valid);  // cut short
    EXPECT_FALSE(ReadMidiOutline(Smf(2, track)).valid);                      // a track missing
    EXPECT_FALSE(ReadMidiOutline(Smf(0, track)).valid);
    EXPECT_FALSE(ReadMidiOutline(Smf(1, track, 0)).valid);
    std::string huge = Smf(1, "MTrk\xFF\xFF\xFF\xFF" + kEndOfTrack);
    EXPECT_FALSE(ReadMidiOutline(huge).valid);  // a length past the end of the file
    EXPECT_FALSE(ReadMidiOutline(Smf(1, Chunk("MTrk", std::string("\0\x3C\x40", 3)))).valid);
}

TEST(MidiOutline, RefusesWhatWouldFloodTheSynthesiser) {
    // A note every quarter at 120 beats a minute, then the same notes packed tight.
    std::string notes, packed;
    for (int i = 0; i < 2000; ++i) {
        notes += std::string("\x83\x60\x90\x3C\x40", 5);  // 480 ticks, then note on
        packed += std::string("\0\x90\x3C\x40", 4);
    }
    EXPECT_TRUE(ReadMidiOutline(Smf(1, Chunk("MTrk", notes + kEndOfTrack))).valid);
    EXPECT_FALSE(ReadMidiOutline(Smf(1, Chunk("MTrk", packed + kEndOfTrack))).valid);
    // A tempo of a microsecond a quarter turns the first file into the second.
    std::string fastest("\0\xFF\x51\x03\0\0\x01", 7);
    MidiOutline fast = ReadMidiOutline(Smf(1, Chunk("MTrk", fastest + notes + kEndOfTrack)));
    EXPECT_FALSE(fast.valid);
    EXPECT_FALSE(fast.problem.empty());
    std::string tracks;
    for (int i = 0; i < 300; ++i)
        tracks += Chunk("MTrk", kEndOfTrack);
    EXPECT_FALSE(ReadMidiOutline(Smf(300, tracks)).valid);
}

TEST(WavCheck, TakesWhatASoundEffectCanBeAndRefusesTheRest) {
    EXPECT_EQ(CheckSoundWav(Wav(1, 2, 44100, 16, 44100 * 4)), "");
    EXPECT_EQ(CheckSoundWav(Wav(1, 1, 8000, 8, 8000)), "");
    EXPECT_EQ(CheckSoundWav(Wav(1, 6, 96000, 24, 96000 * 18)), "");
    EXPECT_EQ(CheckSoundWav(Wav(3, 2, 48000, 32, 4800 * 8)), "");
    EXPECT_EQ(CheckSoundWav(Wav(7, 1, 8000, 8, 800)), "");
    EXPECT_EQ(CheckSoundWav(Wav(0x11, 1, 22050, 4, 512 * 20, 512)), "");

    // The files that broke the mixer: a 1 Hz rate makes its conversion
    // overflow or ask for gigabytes.
    EXPECT_NE(CheckSoundWav(Wav(1, 1, 1, 8, 12176)), "");
    EXPECT_NE(CheckSoundWav(Wav(1, 1, 1, 8, 100 << 10)), "");
    EXPECT_NE(CheckSoundWav(Wav(1, 1, 1000, 8, 8 << 20)), "");
    EXPECT_NE(CheckSoundWav(Wav(1, 1, 8000, 8, 61 * 8000)), "");  // over a minute
    EXPECT_NE(CheckSoundWav(Wav(1, 0, 44100, 16, 100, 2)), "");
    EXPECT_NE(CheckSoundWav(Wav(1, 9, 44100, 16, 18 * 100)), "");
    EXPECT_NE(CheckSoundWav(Wav(1, 1, 44100, 12, 100, 2)), "");
    EXPECT_NE(CheckSoundWav(Wav(1, 2, 44100, 16, 100, 1)), "");  // a block smaller than a frame
    EXPECT_NE(CheckSoundWav(Wav(0x55, 2, 44100, 16, 100)), "");  // MP3 inside a WAV
    std::string whole = Wav(1, 1, 8000, 8, 800);
    EXPECT_NE(CheckSoundWav(whole.substr(0, whole.size() - 1)), "");  // data cut short
    EXPECT_NE(CheckSoundWav(whole.substr(0, 30)), "");
    EXPECT_NE(CheckSoundWav("OggS" + whole.substr(4)), "");
    EXPECT_NE(CheckSoundWav(""), "");
}
