#include <gtest/gtest.h>

#include "support/AllocationCounter.h"
#include "support/FullLoad.h"
#include "support/HeadlessGame.h"
#include "support/Pads.h"

TEST(Allocation, TheStagesOwnEnemiesComeFireAndDieWithoutTouchingTheHeap) {
    HeadlessGame game;
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

    long before = AllocationCount();
    for (int i = 0; i < 300; ++i) {
        TopUpWithEnemyKinds(world, made);
        app.Update();
        app.Render();
    }
    EXPECT_EQ(AllocationCount(), before);
    // The field was alive: enemies were destroyed and replaced, the ship was hit.
    EXPECT_GT(made, first + 10);
    EXPECT_LT(world.GetLives(), 3);
}
