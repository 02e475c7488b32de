// The order of a step and a frame of the whole game: what moves, what draws,
// what the music and the video do.
#include <gtest/gtest.h>

#include "game/MenuLayout.h"
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
    using Scene::Scene;
    SceneKind Kind() const override { return SceneKind::MusicFade; }
    bool Update() override {
        ++updates;
        return true;
    }
    int updates = 0;
};

HeadlessPlatform::Options WithoutVideoTexture() {
    HeadlessPlatform::Options options;
    options.makeVideoPlayer = [](auto&&...) {
        auto video = std::make_unique<FakeVideo>();
        video->texture.reset();
        return video;
    };
    return options;
}

struct NoVideoTexture : GameFixture {
    NoVideoTexture() : GameFixture("", WithoutVideoTexture()) {}
};

using GameAppTest = GameFixture;

}  // namespace

TEST_F(NoVideoTexture, TheBackgroundKeepsItsOwnPictureWithoutAVideo) {
    EXPECT_FALSE(platform.window->IsCursorShown());
    const GpuTexture* own = world.Model("bg1").GetTexture(0);
    ASSERT_NE(own, nullptr);
    app.StartGame();
    EXPECT_EQ(world.Model("bg1").GetTexture(0), own);
}

TEST(GameAppWithoutMedia, RunsWithEveryAssetMissing) {
    HeadlessPlatform::Options options;
    options.exeDir = "/nonexistent/velmora/";
    HeadlessPlatform platform(options);
    GameApp app(platform);
    EXPECT_EQ(app.Play().Field().Model("bg1").MaterialCount(), 0u);
    app.StartGame();
    for (int i = 0; i < 100; ++i) {
        app.Update();
        app.Render();
    }
    EXPECT_EQ(app.Play().Field().playerPool.Count(), 1);
}

TEST_F(GameAppTest, EscEndsTheGameAtOnceWithoutAQuestion) {
    platform.window->Post({ShellEventKind::Escape});
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(platform.window->IsHidden());
    EXPECT_TRUE(platform.dialogs.Boxes().empty());
}

TEST_F(GameAppTest, StartGameBeginsAFreshGameOnTheVideoWhichLoops) {
    world.AddScore(120);
    world.LoseLife();
    app.Play().ClearStage(MusicRef("qz_megami(or)"));
    ASSERT_TRUE(app.Play().EndingMusicOn());
    Video().position = 5.0;
    int stops = Video().stops;

    app.StartGame();
    EXPECT_EQ(world.GetScore().Text(), "000000000000");
    EXPECT_EQ(world.GetLives(), 3);
    EXPECT_EQ(world.GetFrameCounter(), 0);
    auto* entry = dynamic_cast<PlayerEntry*>(world.GetPlayer());
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->optionCount, 2);
    EXPECT_EQ(world.backgroundPool.Count(), 1);
    EXPECT_FALSE(app.Play().EndingMusicOn());
    EXPECT_EQ(world.Model("bg1").GetTexture(0), Video().texture.get());
    EXPECT_EQ(Video().stops, stops + 1);
    EXPECT_EQ(Video().position, 0.0);
    EXPECT_EQ(Video().runs, 1);
    // The best score stays until the new game's passes it.
    world.AddScore(100);
    EXPECT_EQ(world.GetHighScore().Text(), "000000000120");
    world.AddScore(21);
    EXPECT_EQ(world.GetHighScore().Text(), "000000000121");

    Video().position = 9.9;
    Step();
    EXPECT_EQ(Video().runs, 1);
    Video().position = 10.0;
    Step();
    EXPECT_EQ(Video().stops, stops + 2);
    EXPECT_EQ(Video().position, 0.0);
    EXPECT_EQ(Video().runs, 2);
}

TEST_F(GameAppTest, FreezeAndCatchUpToggleOnThePressEdgeUnderOneLatch) {
    app.StartGame();
    auto* scene = app.CreateScene<CountingScene>();
    Steps(3);
    auto* background = *Each<Background>(world.backgroundPool).begin();
    float y = world.GetPlayer()->y;
    bool catchUp = app.GetFrameClock().catchUp;
    Step(Pad({Hold::Freeze}));
    Steps(5, Pad({Hold::Freeze}));
    Step(Pad({Hold::Freeze, Hold::CatchUp}));  // B while V is still held: nothing
    EXPECT_EQ(app.GetFrameClock().catchUp, catchUp);
    Steps(10);
    // Frozen, nothing moves, but the frame is still drawn.
    EXPECT_TRUE(world.IsHalted());
    EXPECT_EQ(world.GetFrameCounter(), 3);
    EXPECT_EQ(background->counter, 3);
    EXPECT_EQ(scene->updates, 3);
    EXPECT_EQ(world.GetPlayer()->y, y);
    int clears = Backend().Count().clears;
    Backend().Forget();
    app.Render();
    EXPECT_EQ(Backend().Count().clears, clears + 1);
    EXPECT_FALSE(Backend().meshDraws.empty());

    Step(Pad({Hold::Freeze}));
    EXPECT_FALSE(world.IsHalted());
    Step();
    Step(Pad({Hold::Freeze, Hold::CatchUp}));  // both in one step: both toggle
    EXPECT_TRUE(world.IsHalted());
    EXPECT_EQ(app.GetFrameClock().catchUp, !catchUp);
}

TEST_F(GameAppTest, FinishedMusicLoopsUnlessTheVideoHasTheSound) {
    Steps(3);  // no piece loaded counts as finished
    EXPECT_EQ(Music().plays, 3);
    EXPECT_EQ(Music().position, 0.0);

    app.Video().ToggleSound();
    Steps(2);
    EXPECT_EQ(Music().plays, 3);
    EXPECT_EQ(Music().stops, 2);
    app.Play().ClearStage(MusicRef("qz_megami(or)"));  // the ending is heard over the video
    EXPECT_EQ(Music().plays, 4);
    Step();
    EXPECT_EQ(Music().stops, 2);
}

TEST_F(GameAppTest, RenderClearsTheWholeBackBufferAndDrawsThePoolsInOrder) {
    app.StartGame();
    app.Scenes().Clear();  // no "GET READY"
    world.playerPool.Clear();
    world.SetPlayer(world.Spawn<PlayerActive>(0.0f, 30.0f, 1));
    world.Spawn<ScreenBomb>();
    world.Spawn<GrazeSpark>(0.0f, 0.0f);
    world.Spawn<PlayerShot>(0.0f, 0.0f, 0.75f);
    world.Spawn<ScoreItem>(0.0f, -10.0f);
    world.Spawn<TestEnemy>(12.0f, -30.0f);
    world.Spawn<AngleBullet>(world.BulletTable(), 0, 0.0f, -40.0f, 0.25f, 1.0f, 0.0f);
    world.Spawn<ScorePopup>(0.0f, 0.0f, 10);
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
    // The graze's star (three quads) among the effects, then the pop-up's two
    // digits, and the head-up display over everything, the boss gauge's shadow first.
    ASSERT_GT(Backend().quadDraws.size(), 5u);
    EXPECT_EQ(Backend().quadDraws[5].y, kHud.gaugeShadow.y);
}

TEST_F(GameAppTest, TheShipKeepsTheBlendingThePreviousDrawLeft) {
    app.StartGame();  // the background draws additively
    world.playerPool.Clear();
    world.SetPlayer(world.Spawn<PlayerRespawn>(0.0f, 30.0f, 1));
    Steps(3);
    Backend().Forget();
    app.Render();
    const auto& draws = Backend().meshDraws;
    ASSERT_EQ(draws.size(), 4u + 3u);                  // the shield, the ship, its option
    EXPECT_EQ(draws[4].destBlend, kBlendInvSrcAlpha);  // the shield sets normal blending
    EXPECT_EQ(draws[4].world[3].y, -500.0f);

    world.playerPool.Clear();
    world.SetPlayer(world.Spawn<PlayerActive>(0.0f, 30.0f, 1));
    Backend().Forget();
    app.Render();
    ASSERT_EQ(draws.size(), 4u + 2u);
    EXPECT_EQ(draws[4].destBlend, kBlendOne);  // inherited from the background
    EXPECT_EQ(draws[5].destBlend, kBlendInvSrcAlpha);
}
