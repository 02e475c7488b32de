#include <gtest/gtest.h>

#include "game/Scene.h"
#include "support/GameFixture.h"
#include "world/Background.h"
#include "world/BombBlast.h"
#include "world/BulletKinds.h"
#include "world/Effect.h"
#include "world/Item.h"
#include "world/PlayerShot.h"
#include "world/PlayerStates.h"
#include "world/ScorePopup.h"

namespace {

// A scene that counts its updates.
struct CountingScene : Scene {
    bool Update() override {
        ++updates;
        return true;
    }
    int updates = 0;
};

// A video whose position and stop time the test sets.
struct FakeVideo : VideoPlayer {
    void Run() override { ++runs; }
    void Stop() override { ++stops; }
    void Seek(double seconds) override { position = seconds; }
    double GetCurrentPosition() override { return position; }
    double GetStopTime() override { return stopTime; }
    const GpuTexture* GetTexture() const override { return texture.get(); }

    double position = 0.0, stopTime = 10.0;
    int runs = 0, stops = 0;
    std::unique_ptr<GpuTexture> texture = NullBackend().CreateTexture(4, 4, nullptr);
};

// Every image decodes to one white pixel, so models have textures of their own.
struct WhiteImages : ImageDecoder {
    Image Decode(const std::string&) override { return Image{1, 1, {0xFFFFFFFF}}; }
};

HeadlessPlatform::Options WithVideo() {
    HeadlessPlatform::Options options;
    options.makeVideoPlayer = [] { return std::make_unique<FakeVideo>(); };
    options.makeImageDecoder = [] { return std::make_unique<WhiteImages>(); };
    return options;
}

struct VideoGame : GameFixture {
    VideoGame() : GameFixture(WithVideo()) {}
    FakeVideo& Video() { return *static_cast<FakeVideo*>(platform.video); }
};

HeadlessPlatform::Options WithoutVideoTexture() {
    HeadlessPlatform::Options options = WithVideo();
    options.makeVideoPlayer = [] {
        auto video = std::make_unique<FakeVideo>();
        video->texture.reset();
        return video;
    };
    return options;
}

struct NoVideoTexture : GameFixture {
    NoVideoTexture() : GameFixture(WithoutVideoTexture()) {}
};

using GameAppTest = GameFixture;

}  // namespace

TEST_F(NoVideoTexture, TheBackgroundKeepsItsOwnPictureWithoutAVideo) {
    const GpuTexture* own = app.models.bg1->GetTexture(0);
    ASSERT_NE(own, nullptr);
    app.StartGame();
    EXPECT_EQ(app.models.bg1->GetTexture(0), own);
}

TEST_F(GameAppTest, ConstructionLoadsTheSoundsInTableOrderFromTheExecutablesFolder) {
    std::vector<std::string> expected;
    for (const char* name :
         {"shot.wav", "laser.wav", "bom1.wav", "crash.wav", "boss_out.wav", "cap.wav", "cap.wav",
          "bomb.wav", "bomb.wav", "kasuri.wav", "voice_option.wav"}) {
        expected.push_back(media.ExeDir() + "Media/Sound/" + name);
    }
    EXPECT_EQ(platform.audio->Loaded(), expected);
    const SoundTable& s = app.soundTable;
    EXPECT_NE(s.sndCap1.Id(), s.sndCap2.Id());  // one file, two independent handles
    EXPECT_EQ(s.sndVoiceOption.Id(), 11);
    EXPECT_EQ(platform.videoPath, "Media/video2.wmv");
    EXPECT_FALSE(platform.videoWithSound);
    EXPECT_FALSE(platform.window->IsCursorShown());
    for (Mesh* m : {app.models.obj1.get(), app.models.ship.get(), app.models.needle2.get()})
        EXPECT_EQ(m->MaterialCount(), 1u);
    EXPECT_EQ(app.bulletTable.models[1], app.models.bullet2.get());
    EXPECT_EQ(app.needleTable.models[0], app.models.needle1.get());
}

TEST(GameAppWithoutMedia, RunsWithEveryAssetMissing) {
    HeadlessPlatform::Options options;
    options.exeDir = "/nonexistent/velmora/";
    HeadlessPlatform platform(options);
    GameApp app(platform);
    EXPECT_EQ(app.models.bg1->MaterialCount(), 0u);
    app.StartGame();
    for (int i = 0; i < 100; ++i) {
        app.Update();
        app.Render();
    }
    EXPECT_EQ(app.playerPool->Count(), 1);
}

TEST_F(GameAppTest, RandomNumbersFollowTheReferenceGenerator) {
    // The first outputs of MT19937 from its default seed 5489.
    EXPECT_DOUBLE_EQ(app.NextRandom(), 3499211612.0 / 4294967295.0);
    EXPECT_DOUBLE_EQ(app.RandomSigned(), 581869302.0 / 4294967295.0 - 0.5);
    std::mt19937 reference;
    reference.discard(2);
    EXPECT_EQ(app.RandomState(), reference);
}

TEST_F(VideoGame, StartGameBeginsAFreshGameOnTheVideo) {
    app.AddScore(120);
    app.LoseLife();
    endingMusicOn = true;
    ASSERT_NE(app.models.bg1->GetTexture(0), nullptr);
    Video().position = 5.0;

    app.StartGame();
    EXPECT_EQ(app.GetScore().Text(), "000000000000");
    EXPECT_EQ(app.GetHighScore().Text(), "000000000120");
    EXPECT_EQ(app.GetLives(), 3);
    EXPECT_EQ(app.GetFrameCounter(), 0);
    auto* entry = dynamic_cast<PlayerEntry*>(app.GetPlayer());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->optionCount, 2);
    EXPECT_EQ(app.backgroundPool->Count(), 1);
    EXPECT_FALSE(endingMusicOn);
    EXPECT_EQ(app.models.bg1->GetTexture(0), Video().texture.get());
    EXPECT_EQ(Video().stops, 1);
    EXPECT_EQ(Video().position, 0.0);
    EXPECT_EQ(Video().runs, 1);
}

TEST_F(VideoGame, TheVideoStartsAgainWhenItReachesItsEnd) {
    Video().position = 9.9;
    Step();
    EXPECT_EQ(Video().runs, 0);
    Video().position = 10.0;
    Step();
    EXPECT_EQ(Video().stops, 1);
    EXPECT_EQ(Video().position, 0.0);
    EXPECT_EQ(Video().runs, 1);
}

TEST_F(GameAppTest, TheHighScoreFollowsTheScore) {
    app.AddScore(50);
    EXPECT_EQ(app.GetHighScore().Text(), "000000000050");
    app.StartGame();
    app.AddScore(50);  // equal: the high score stays as it is
    EXPECT_EQ(app.GetHighScore().Text(), "000000000050");
    app.AddScore(1);
    EXPECT_EQ(app.GetHighScore().Text(), "000000000051");
}

TEST_F(GameAppTest, FreezeAndCatchUpToggleOnThePressEdgeUnderOneLatch) {
    bool catchUp = app.GetFrameClock().catchUp;
    Step(Pad({Hold::Freeze}));
    EXPECT_TRUE(app.IsHalted());
    Steps(5, Pad({Hold::Freeze}));
    EXPECT_TRUE(app.IsHalted());
    Step(Pad({Hold::Freeze, Hold::CatchUp}));  // B while V is still held: nothing
    EXPECT_EQ(app.GetFrameClock().catchUp, catchUp);
    Step();
    Step(Pad({Hold::Freeze}));
    EXPECT_FALSE(app.IsHalted());

    Step();
    Step(Pad({Hold::Freeze, Hold::CatchUp}));  // both in one step: both toggle
    EXPECT_TRUE(app.IsHalted());
    EXPECT_EQ(app.GetFrameClock().catchUp, !catchUp);
}

TEST_F(GameAppTest, AFrozenGameMovesNothingButStillDraws) {
    app.StartGame();
    auto* scene = Create<CountingScene>();
    Steps(3);
    auto* background = *Each<Background>(*app.backgroundPool).begin();
    PlayerShip* ship = app.GetPlayer();
    float y = ship->y;
    Step(Pad({Hold::Freeze}));
    Steps(10);
    EXPECT_EQ(app.GetFrameCounter(), 3);
    EXPECT_EQ(background->counter, 3);
    EXPECT_EQ(scene->updates, 3);
    EXPECT_EQ(ship->y, y);
    int clears = Backend().Count().clears;
    app.Render();
    EXPECT_EQ(Backend().Count().clears, clears + 1);
    EXPECT_FALSE(Backend().meshDraws.empty());
}

TEST_F(GameAppTest, WhilePausedOnlyTheScenesRun) {
    app.StartGame();
    auto* scene = Create<CountingScene>();
    auto* bullet = Create<AngleBullet>(app.bulletTable, 0, 0.0f, -40.0f, 0.25f, 1.0f, 0.0f);
    Step();
    app.SetPaused(true);
    EXPECT_TRUE(app.IsPaused());
    EXPECT_EQ(platform.music->pauses, 1);
    Steps(10, Pad({Hold::Left}));
    EXPECT_EQ(scene->updates, 11);
    EXPECT_EQ(app.GetFrameCounter(), 1);
    EXPECT_EQ(bullet->y, -39.0f);
    EXPECT_EQ((*Each<Background>(*app.backgroundPool).begin())->counter, 1);
    EXPECT_EQ(app.GetPlayer()->x, 0.0f);

    int plays = platform.music->plays;
    app.SetPaused(false);
    EXPECT_EQ(platform.music->plays, plays + 1);
    Step();
    EXPECT_EQ(bullet->y, -38.0f);
}

TEST_F(GameAppTest, TheSlowDivisorLetsBulletsAndEnemiesMoveOnlyOnItsMultiples) {
    auto* bullet = Create<AngleBullet>(app.bulletTable, 0, 0.0f, -40.0f, 0.25f, 1.0f, 0.0f);
    auto* spark = Create<HitSpark>(0.0f, 0.0f, 0);
    app.SetSlowDivisor(2);
    Steps(4);
    EXPECT_EQ(bullet->y, -38.0f);
    EXPECT_EQ(spark->age, 4);
    app.SetSlowDivisor(0);
    Steps(4);
    EXPECT_EQ(bullet->y, -38.0f);
    app.SetSlowDivisor(1);
    Steps(4);
    EXPECT_EQ(bullet->y, -34.0f);
}

TEST_F(GameAppTest, FinishedMusicLoopsUnlessTheVideoHasTheSound) {
    SilentMusic& music = *platform.music;
    Steps(3);  // no piece loaded counts as finished
    EXPECT_EQ(music.plays, 3);
    EXPECT_EQ(music.position, 0.0);

    app.Video().ToggleSound();
    Steps(2);
    EXPECT_EQ(music.plays, 3);
    EXPECT_EQ(music.stops, 2);
    endingMusicOn = true;  // the ending is heard over the video
    Step();
    EXPECT_EQ(music.plays, 4);
    app.Video().ToggleSound();
    endingMusicOn = false;
}

TEST_F(GameAppTest, ReturningToTheTitleEmptiesEveryPoolAndStopsTheMusic) {
    app.StartGame();
    Create<CountingScene>();
    Create<TestEnemy>(0.0f, -30.0f);
    Create<AngleBullet>(app.bulletTable, 0, 0.0f, -40.0f, 0.25f, 1.0f, 0.0f);
    Create<ScoreItem>(0.0f, 0.0f);
    Create<ScreenBomb>();
    Create<ScorePopup>(0.0f, 0.0f, 10);
    Step(Pad({Hold::Fire}));
    app.RequestReturnToTitle();
    int stops = platform.music->stops;
    Step();
    for (ObjectPool* pool :
         {app.backgroundPool.get(), app.bombPool.get(), app.bulletPool.get(), app.effectPool.get(),
          app.enemyPool.get(), app.itemPool.get(), app.playerPool.get(), app.playerShotPool.get(),
          app.scenePool.get(), app.popupPool.get()}) {
        EXPECT_EQ(pool->Count(), 0);
    }
    EXPECT_EQ(app.GetPlayer(), nullptr);
    EXPECT_EQ(platform.music->stops, stops + 1);
    EXPECT_EQ(platform.music->position, 0.0);
    Step();
    EXPECT_EQ(platform.music->stops, stops + 1);  // once only
}

TEST_F(GameAppTest, RenderClearsTheWholeBackBufferAndDrawsThePoolsInOrder) {
    app.StartGame();
    app.playerPool->Clear();
    app.SetPlayer(Create<PlayerActive>(0.0f, 30.0f, 1));
    Create<ScreenBomb>();
    Create<GrazeSpark>(0.0f, 0.0f);
    Create<PlayerShot>(0.0f, 0.0f, 0.75f);
    Create<ScoreItem>(0.0f, -10.0f);
    Create<TestEnemy>(12.0f, -30.0f);
    Create<AngleBullet>(app.bulletTable, 0, 0.0f, -40.0f, 0.25f, 1.0f, 0.0f);
    Create<ScorePopup>(0.0f, 0.0f, 10);
    app.Render();

    const Viewport& v = Backend().State().viewport;
    EXPECT_EQ(v.width, 640);
    EXPECT_EQ(v.height, 480);
    EXPECT_EQ(v.maxZ, 1.0f);
    EXPECT_EQ(Backend().LastClearColor(), 0x00000000u);
    std::vector<float> depths;
    for (const auto& draw : Backend().meshDraws)
        depths.push_back(draw.world[3].y);
    EXPECT_EQ(depths, (std::vector<float>{-800, -800, -800, -800, -700, -600, -500, -400, -400,
                                          -300, -200, -100}));
    // The field's y runs down the screen, the world's z up it.
    EXPECT_EQ(Backend().meshDraws[10].world[3], glm::vec4(12.0f, -200.0f, 30.0f, 1.0f));
    EXPECT_EQ(Backend().quadDraws.size(), 2u);  // the pop-up, last
}

TEST_F(GameAppTest, TheShipKeepsTheBlendingThePreviousDrawLeft) {
    app.StartGame();  // the background draws additively
    app.playerPool->Clear();
    app.SetPlayer(Create<PlayerRespawn>(0.0f, 30.0f, 1));
    Steps(3);
    Backend().Forget();
    app.Render();
    const auto& draws = Backend().meshDraws;
    ASSERT_EQ(draws.size(), 4u + 3u);                  // the shield, the ship, its option
    EXPECT_EQ(draws[4].destBlend, kBlendInvSrcAlpha);  // the shield sets normal blending
    EXPECT_EQ(draws[4].world[3].y, -500.0f);

    app.playerPool->Clear();
    app.SetPlayer(Create<PlayerActive>(0.0f, 30.0f, 1));
    Backend().Forget();
    app.Render();
    ASSERT_EQ(draws.size(), 4u + 2u);
    EXPECT_EQ(draws[4].destBlend, kBlendOne);  // inherited from the background
    EXPECT_EQ(draws[5].destBlend, kBlendInvSrcAlpha);

    Create<PlayerShot>(0.0f, 0.0f, 0.75f);
    Backend().Forget();
    app.Render();
    EXPECT_EQ(draws[5].destBlend, kBlendInvSrcAlpha);  // after the shot's normal draw
}
