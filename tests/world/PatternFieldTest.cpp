// Patterns on the play field: their bullets live in the enemy bullet pool and
// fly, graze, hit and leave as the written ones do; their runners come from the
// field's pool and go back to it however a bullet ends.
#include <gtest/gtest.h>

#include "pattern/PatternMotion.h"
#include "pattern/PatternReader.h"
#include "support/WorldFixture.h"
#include "world/BombBlast.h"
#include "world/PatternBullet.h"
#include "world/PlayerStates.h"
#include "world/WorldHash.h"

namespace {

struct PatternFieldTest : WorldFixture {
    const PatternProgram& Load(const std::string& body) {
        read = ReadPatternText("<bulletml>" + body + "</bulletml>", "field.xml");
        EXPECT_TRUE(read.program) << (read.findings.empty() ? "" : read.findings[0]);
        return *read.program;
    }
    // The emitter steps as an enemy would, after the bullets.
    void Play(int steps, float x = 0.0f, float y = -40.0f) {
        for (int i = 0; i < steps; ++i) {
            Step();
            emitter.Step(world, x, y, 1);
        }
    }
    PatternRead read;
    PatternEmitter emitter;
};

}  // namespace

TEST_F(PatternFieldTest, BulletsFlyInTheEnemyPoolAndGiveTheirRunnersBackAsTheyLeave) {
    emitter.Start(world, Load(R"(<action label="top"><repeat><times>3</times><action>
        <fire><direction type="absolute">90</direction><speed>2</speed><bullet/></fire>
        <fire><direction type="absolute">180</direction><bullet label="needle"><action>
          <wait>1000</wait></action></bullet></fire>
        <wait>1</wait></action></repeat></action>)"));
    EXPECT_EQ(world.patternRunners.Live(), 1);
    Play(1);
    ASSERT_EQ(CountOf<PatternBullet>(world.bulletPool), 2);
    EXPECT_EQ(world.patternRunners.Live(), 2);
    Play(1);
    std::vector<PatternBullet*> bullets = All<PatternBullet>(world.bulletPool);
    // Direction 90 is to the right, at two units of the format's speed.
    EXPECT_FLOAT_EQ(bullets[0]->x, static_cast<float>(2 * kPatternSpeedUnit));
    EXPECT_FLOAT_EQ(bullets[0]->y, -40.0f);
    EXPECT_EQ(bullets[0]->model, world.BulletTable().models[1]);
    EXPECT_EQ(bullets[1]->model, world.NeedleTable().models[1]);
    EXPECT_FLOAT_EQ(bullets[1]->y, static_cast<float>(-40.0 + kPatternSpeedUnit));
    // Those with actions hold a runner until they leave the field.
    Play(600);
    EXPECT_EQ(world.bulletPool.Count(), 0);
    EXPECT_EQ(world.patternRunners.Live(), 1);
    emitter.Stop();
    EXPECT_EQ(world.patternRunners.Live(), 0);
}

TEST_F(PatternFieldTest, CancelledClearedAndVanishedBulletsGiveTheirRunnersBack) {
    emitter.Start(world, Load(R"(<action label="top"><repeat><times>10</times><action>
        <fire><speed>0</speed><bullet><action><wait>5</wait><vanish/></action></bullet></fire>
        </action></repeat></action>)"));
    Play(1);
    EXPECT_EQ(world.patternRunners.Live(), 11);
    Play(6);
    EXPECT_EQ(world.bulletPool.Count(), 0);
    EXPECT_EQ(world.patternRunners.Live(), 1);

    emitter.Start(world, *read.program);
    Play(1);
    world.Spawn<ScreenBomb>();
    Step();
    EXPECT_EQ(world.bulletPool.Count(), 0);
    EXPECT_EQ(world.patternRunners.Live(), 1);

    emitter.Start(world, *read.program);
    Play(1);
    EXPECT_EQ(world.patternRunners.Live(), 11);
    world.Clear();
    EXPECT_EQ(world.patternRunners.Live(), 1);
    emitter.Stop();
    EXPECT_EQ(world.patternRunners.Live(), 0);
}

TEST_F(PatternFieldTest, TheShipGrazesAndIsHitByPatternBullets) {
    auto* ship = world.Spawn<PlayerActive>(0.0f, 0.0f, 0);
    world.SetPlayer(ship);
    // Bullets that stay where they are put: one close by, one on the ship.
    world.Spawn<PatternBullet>(world.BulletTable(), 0, 5.29f, -5.29f, PatternBody{0, 0, 0, 0}, -1);
    Steps(3);
    EXPECT_EQ(world.GetScore().Text(), "000000000050");
    world.Spawn<PatternBullet>(world.BulletTable(), 0, 0.1f, 0.1f, PatternBody{0, 0, 0, 0}, -1);
    Steps(3);
    EXPECT_EQ(world.GetPlayer(), nullptr);
}

TEST_F(PatternFieldTest, AimRandAndRankComeFromTheField) {
    auto* ship = world.Spawn<PlayerActive>(30.0f, -40.0f, 0);
    world.SetPlayer(ship);
    world.SetPatternRank(0.25f);
    emitter.Start(world, Load(R"(<action label="top">
        <fire><speed>$rank*4</speed><bullet/></fire>
        <fire><direction type="absolute">$rand*360</direction><speed>0</speed><bullet/></fire>
        </action>)"));
    std::mt19937 before = world.RandomState();
    Play(1);
    std::vector<PatternBullet*> bullets = All<PatternBullet>(world.bulletPool);
    ASSERT_EQ(bullets.size(), 2u);
    // Aimed at the ship, straight to the right, at speed 1.
    EXPECT_FLOAT_EQ(bullets[0]->x, 0.0f);
    Step();
    EXPECT_NEAR(bullets[0]->x, kPatternSpeedUnit, 1e-6);
    EXPECT_NEAR(bullets[0]->y, -40.0f, 1e-5);
    // $rand took one draw of the field's own generator.
    before.discard(1);
    EXPECT_EQ(world.RandomState(), before);
}

TEST_F(PatternFieldTest, AFieldHashesItsRunnersOnlyWhileAnyPlay) {
    const uint64_t quiet = HashWorld(world);
    emitter.Start(world, Load(R"(<action label="top"><wait>5</wait></action>)"));
    const uint64_t playing = HashWorld(world);
    EXPECT_NE(playing, quiet);
    Play(1);
    EXPECT_NE(HashWorld(world), playing);
    emitter.Stop();
    // The step counter moved; with it put back the field is as before.
    WorldFixture::Step();
    EXPECT_EQ(world.patternRunners.Live(), 0);
    InMemoryAssets other;
    RecordingFlow flow2;
    World fresh(other.refs, flow2);
    for (int i = 0; i < world.GetFrameCounter(); ++i)
        fresh.Step();
    fresh.SetRandomState(world.RandomState());
    EXPECT_EQ(HashWorld(fresh), HashWorld(world));
}
