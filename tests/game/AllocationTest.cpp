// Nothing is allocated while the game runs: every object lives in a pool made
// at the start, and drawing reuses what the last frame had.
#include <gtest/gtest.h>

#include "graphics/platform/GlBackend.h"
#include "support/AllocationCounter.h"
#include "support/FullLoad.h"
#include "support/HeadlessGame.h"
#include "support/InMemoryAssets.h"
#include "support/Pads.h"
#include "support/PatternSwarm.h"

TEST(Allocation, AFullFieldStepsAndDrawsWithoutTouchingTheHeap) {
    HeadlessGame game;
    GameApp& app = game.app;
    World& world = game.world;
    app.StartGame();
    game.platform.input->Hold(Pad({Hold::Fire, Hold::Hover}), 400);
    game.platform.input->Hold(Pad({Hold::Fire}), 400);
    app.Update();  // the ship is flying in
    FillField(world);
    ASSERT_EQ(world.bulletPool.Count(), 2000);

    long before = AllocationCount();
    for (int i = 0; i < 300; ++i) {
        app.Update();
        app.Render();
    }
    EXPECT_EQ(AllocationCount(), before);
    EXPECT_GT(world.GetScore().Text(), "000000000000");  // the field was alive
}

namespace {
// The frames go through the OpenGL back end where there is one: its batching
// keeps to the same rule.
HeadlessPlatform::Options OffscreenGl() {
    HeadlessPlatform::Options options;
    options.makeBackend = []() -> std::unique_ptr<RenderBackend> {
        std::string error;
        auto surface = CreateOffscreenSurface(error);
        if (!surface) return std::make_unique<NullBackend>(60);
        return std::make_unique<GlBackend>(std::move(surface));
    };
    return options;
}
}  // namespace

TEST(Allocation, TheStagesOwnEnemiesComeFireAndDieWithoutTouchingTheHeap) {
    HeadlessGame game("", OffscreenGl());
    GameApp& app = game.app;
    World& world = game.world;
    app.StartGame();
    game.platform.input->Hold(Pad({Hold::Fire}), 400);
    app.Update();  // the ship is flying in
    FillField(world);
    world.enemyPool.Clear();
    world.bulletPool.Clear();
    int made = 0;
    TopUpWithEnemyKinds(world, made);
    const int first = made;
    // The driver builds a shader the first time a state combination is drawn.
    for (int i = 0; i < 10; ++i) {
        app.Update();
        app.RenderFrame();
    }

    long before = AllocationCount();
    for (int i = 0; i < 300; ++i) {
        TopUpWithEnemyKinds(world, made);
        app.Update();
        app.RenderFrame();
    }
    EXPECT_EQ(AllocationCount(), before);
    // The field was alive: enemies were destroyed and replaced, the ship was hit.
    EXPECT_GT(made, first + 10);
    EXPECT_LT(world.GetLives(), 3);
}

TEST(Allocation, TwoThousandPatternBulletsPlayTheirActionsWithoutTouchingTheHeap) {
    InMemoryAssets assets;
    RecordingFlow flow;
    World world(assets.refs, flow);
    PatternSwarm swarm;
    swarm.Fill(world);
    ASSERT_EQ(world.bulletPool.Count(), 2000);
    ASSERT_EQ(world.patternRunners.Live(), 2000);

    long before = AllocationCount();
    for (int i = 0; i < 300; ++i)
        world.Step();
    EXPECT_EQ(AllocationCount(), before);
    EXPECT_EQ(world.bulletPool.Count(), 2000);  // all still flying, all still playing
}
