#include <cmath>
#include <cstdint>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "support/AllocationCounter.h"
#include "support/FullLoad.h"
#include "support/GameFixture.h"
#include "support/TestMedia.h"
#include "world/Explosion.h"

namespace {

// A large enemy that weaves down the field, fires splitting and aimed bullets
// and explodes when destroyed.
struct Gunner : Enemy {
    explicit Gunner(float x)
        : Enemy(App().models.obj5.get(), x, -62.0f, -7.5f, -7.5f, 7.5f, 7.5f, 30.0f, 1000) {}
    bool Update() override {
        GameApp& app = App();
        x += 0.4f * std::sin(0.05f * static_cast<float>(counter));
        y += 0.3f;
        if (counter % 12 == 0) {
            float direction = 0.25f + 0.2f * static_cast<float>(app.RandomSigned());
            Create<SplitBullet>(app.bulletTable, variant, x, y, direction, 0.4f);
        }
        PlayerShip* ship = app.GetPlayer();
        if (ship && counter % 20 == 0) {
            Create<AimedBullet>(app.bulletTable, variant, x, y, ship->x, ship->y,
                                0.02f * static_cast<float>(app.RandomSigned()), 0.8f, 0.01f);
        }
        ++counter;
        if (hitPoints <= 0.0f) {
            app.AddScore(score);
            Create<LargeExplosion>(x, y);
            return false;
        }
        return y < 74.0f;
    }
};

// The keys of step i: a fixed, busy pattern.
PadState Script(int i) {
    uint32_t h = static_cast<uint32_t>(i / 23) * 2654435761u;
    PadState pad;
    pad.left = (h >> 7) % 3 == 0;
    pad.right = !pad.left && (h >> 9) % 3 == 0;
    pad.up = (h >> 11) % 4 == 0;
    pad.down = !pad.up && (h >> 13) % 4 == 0;
    pad.buttons[0] = (h >> 15) % 5 != 0;
    pad.buttons[1] = (h >> 17) % 7 == 0;
    return pad;
}

struct Outcome {
    std::string score, highScore;
    int lives, games, frames;
    std::mt19937 random;
    std::vector<std::tuple<int, float, float>> objects;  // pool, x, y
    bool operator==(const Outcome&) const = default;
};

Outcome Play(int steps) {
    TestMedia media;
    HeadlessPlatform::Options options;
    options.exeDir = media.ExeDir();
    HeadlessPlatform platform(options);
    GameApp app(platform);
    app.StartGame();
    int games = 1;
    for (int i = 0; i < steps; ++i) {
        if (i % 75 == 0) Create<Gunner>(static_cast<float>(80.0 * app.NextRandom() - 40.0));
        // Game over: back to the title and straight into a new game.
        bool over = app.GetLives() < 1;
        if (over) app.RequestReturnToTitle();
        platform.input->Append(Script(i));
        app.Update();
        if (over) app.StartGame();
        games += over;
    }
    Outcome out{app.GetScore().Text(),
                app.GetHighScore().Text(),
                app.GetLives(),
                games,
                app.GetFrameCounter(),
                app.RandomState(),
                {}};
    int index = 0;
    for (ObjectPool* pool :
         {app.backgroundPool.get(), app.bombPool.get(), app.bulletPool.get(), app.effectPool.get(),
          app.enemyPool.get(), app.itemPool.get(), app.playerPool.get(), app.playerShotPool.get(),
          app.scenePool.get(), app.popupPool.get()}) {
        for (GameObject* o : Each<GameObject>(*pool))
            out.objects.emplace_back(index, o->x, o->y);
        ++index;
    }
    return out;
}

}  // namespace

TEST(Determinism, TheSameInputReplaysTheSameGame) {
    Outcome first = Play(10000);
    Outcome second = Play(10000);
    EXPECT_TRUE(first == second);
    EXPECT_EQ(first.score, second.score);
    EXPECT_EQ(first.objects.size(), second.objects.size());
    // The run was eventful: games were won and lost, and the generator went far.
    EXPECT_GT(first.highScore, "000000010000");
    EXPECT_GT(first.games, 2);
    EXPECT_GT(first.objects.size(), 100u);
    std::mt19937 early;
    early.discard(1000);
    EXPECT_NE(first.random, early);
}

TEST(Allocation, AFullFieldStepsAndDrawsWithoutTouchingTheHeap) {
    TestMedia media;
    HeadlessPlatform::Options options;
    options.exeDir = media.ExeDir();
    HeadlessPlatform platform(options);
    GameApp app(platform);
    app.StartGame();
    platform.input->Hold(Pad({Hold::Fire, Hold::Hover}), 400);
    platform.input->Hold(Pad({Hold::Fire}), 400);
    app.Update();  // the ship is flying in
    FillField(app);
    ASSERT_EQ(app.bulletPool->Count(), 2000);

    long before = AllocationCount();
    for (int i = 0; i < 300; ++i) {
        app.Update();
        app.Render();
    }
    EXPECT_EQ(AllocationCount(), before);
    EXPECT_GT(app.GetScore().Text(), "000000000000");  // the field was alive
}
