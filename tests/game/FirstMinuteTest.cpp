// The delivered stage's first minute, as a new player meets it.
#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "Bot.h"
#include "Simulation.h"
#include "media/MediaFiles.h"
#include "util/StepClock.h"
#include "world/PlayerShip.h"

// A new player holds fire and weaves from side to side without looking at what
// comes. At EASY the first minute after START may cost such a player one life
// at most: the stage teaches before it tests. A life is counted when the ship
// is hit, not when the lives go down a second later. The bot must have swept
// the width it weaves across, or the minute would prove nothing.
TEST(FirstMinute, ABlindWeaverIsHitAtMostOnceAtEasy) {
    GameStart easy;
    easy.level = "EASY";
    Simulation sim(media_files::Dir().string() + "/", {}, easy);
    ASSERT_TRUE(sim.PressStart());
    EXPECT_EQ(sim.GetWorld().GetDifficulty(), 0.0f);

    BlindBot bot;
    const int start = sim.Steps();
    std::string hits;
    float leftmost = 0.0f, rightmost = 0.0f;
    bool shipThere = sim.GetWorld().GetPlayer() != nullptr;
    while (sim.Steps() - start < 60 * 60) {
        sim.Step(bot.Play(sim.GetWorld()));
        const PlayerShip* ship = sim.GetWorld().GetPlayer();
        if (shipThere && !ship) {
            hits += ' ';
            hits += StepsAsClock(sim.Steps() - start);
        }
        shipThere = ship != nullptr;
        if (ship) {
            leftmost = std::min(leftmost, ship->x);
            rightmost = std::max(rightmost, ship->x);
        }
    }
    EXPECT_LE(std::count(hits.begin(), hits.end(), ' '), 1) << "hit at" << hits;
    EXPECT_LT(leftmost, -25.0f);
    EXPECT_GT(rightmost, 25.0f);
}
