#include <gtest/gtest.h>

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
    // The steps of a 60-frame fade.
    EXPECT_EQ(MusicPlayer::VolumeLevel(1.0f - 1.0f / 59), -7);
    EXPECT_EQ(MusicPlayer::VolumeLevel(1.0f / 59), -1770);
}

TEST(MusicPlayer, StoppingRewinds) {
    auto backend = std::make_unique<SilentMusic>();
    SilentMusic& music = *backend;
    MusicPlayer player(std::move(backend));
    player.SetPosition(12.5);
    player.Stop();
    EXPECT_EQ(music.stops, 1);
    EXPECT_EQ(music.position, 0.0);
    player.SetVolume(0.5f);
    EXPECT_EQ(music.level, -301);
    EXPECT_TRUE(player.IsComplete());  // nothing loaded
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
