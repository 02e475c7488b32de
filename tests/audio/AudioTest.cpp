#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "audio/MidiFile.h"
#include "audio/MusicPlayer.h"
#include "audio/SilentAudio.h"
#include "audio/SilentMusic.h"
#include "audio/SoundPlayer.h"

TEST(MusicVolume, HundredthsOfADecibelFromALinearVolume) {
    EXPECT_EQ(MusicPlayer::VolumeLevel(1.0f), 0);
    EXPECT_EQ(MusicPlayer::VolumeLevel(0.5f), -301);
    EXPECT_EQ(MusicPlayer::VolumeLevel(0.1f), -1000);
    EXPECT_EQ(MusicPlayer::VolumeLevel(0.01f), -2000);
    EXPECT_EQ(MusicPlayer::VolumeLevel(2.0f), 0);
    EXPECT_EQ(MusicPlayer::VolumeLevel(0.0f), -10000);
    EXPECT_EQ(MusicPlayer::VolumeLevel(-1.0f), -10000);
    EXPECT_EQ(MusicPlayer::VolumeLevel(1e-20f), -10000);
    EXPECT_EQ(MusicPlayer::VolumeLevel(std::numeric_limits<float>::quiet_NaN()), -10000);
    // The steps of a 60-frame fade.
    EXPECT_EQ(MusicPlayer::VolumeLevel(1.0f - 1.0f / 59), -7);
    EXPECT_EQ(MusicPlayer::VolumeLevel(1.0f / 59), -1770);
}

TEST(MusicVolume, BalanceIsClampedAndTruncated) {
    EXPECT_EQ(MusicPlayer::BalanceLevel(0.0f), 0);
    EXPECT_EQ(MusicPlayer::BalanceLevel(-0.25f), -2500);
    EXPECT_EQ(MusicPlayer::BalanceLevel(0.33333f), 3333);
    EXPECT_EQ(MusicPlayer::BalanceLevel(5.0f), 10000);
    EXPECT_EQ(MusicPlayer::BalanceLevel(-1e30f), -10000);
    EXPECT_EQ(MusicPlayer::BalanceLevel(std::numeric_limits<float>::quiet_NaN()), 0);
}

class MusicState : public ::testing::Test {
protected:
    MusicState() : music(*new SilentMusic), player(std::unique_ptr<SilentMusic>(&music)) {}
    SilentMusic& music;
    MusicPlayer player;
};

TEST_F(MusicState, NothingOpenIsCompleteAndEveryCallStillReachesTheBackEnd) {
    EXPECT_TRUE(player.IsComplete());
    player.Play();
    player.Pause();
    player.Stop();
    EXPECT_TRUE(player.IsComplete());
    EXPECT_EQ(player.GetState(), MusicPlayer::State::NoPiece);
    EXPECT_EQ(music.plays, 1);
    EXPECT_EQ(music.pauses, 1);
    EXPECT_EQ(music.stops, 1);
    EXPECT_EQ(music.position, 0.0);
}

TEST_F(MusicState, APieceIsCompleteOnlyWhileRunningAtItsEnd) {
    music.level = -5000;
    ASSERT_TRUE(player.Open("a.mid"));
    EXPECT_EQ(music.level, 0);  // opening restores full volume and the centre
    EXPECT_EQ(player.GetState(), MusicPlayer::State::Stopped);
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
    EXPECT_EQ(player.GetState(), MusicPlayer::State::Stopped);
    EXPECT_EQ(music.position, 0.0);
    EXPECT_FALSE(player.IsComplete());
    player.Play();
    EXPECT_FALSE(player.IsComplete());  // Stop rewound it

    // Opening another piece starts it stopped at its beginning.
    music.Finish();
    ASSERT_TRUE(player.Open("b.mid"));
    player.Play();
    EXPECT_FALSE(player.IsComplete());
    EXPECT_EQ(music.opened, (std::vector<std::string>{"a.mid", "b.mid"}));
}

TEST_F(MusicState, NegativeOrNaNPositionsRewind) {
    ASSERT_TRUE(player.Open("a.mid"));
    player.SetPosition(-3.0);
    EXPECT_EQ(music.position, 0.0);
    player.SetPosition(std::nan(""));
    EXPECT_EQ(music.position, 0.0);
    player.SetPosition(12.5);
    EXPECT_EQ(music.position, 12.5);
}

TEST(SoundPlayer, EmptyHandlesStaySilentAndEveryStartCounts) {
    auto backend = std::make_unique<SilentAudio>();
    SilentAudio& audio = *backend;
    SoundPlayer player(std::move(backend));
    SoundEffect shot = player.Load("shot.wav");
    SoundEffect again = player.Load("shot.wav");
    EXPECT_FALSE(shot.Empty());
    EXPECT_NE(shot.Id(), again.Id());
    player.Play(shot);
    player.Play(shot);
    player.Play(SoundEffect());
    EXPECT_EQ(audio.PlayCount(shot.Id()), 2);
    EXPECT_EQ(audio.PlayCount(again.Id()), 0);
    EXPECT_EQ(audio.TotalPlays(), 2);
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
}
