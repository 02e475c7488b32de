// The author's loop: a saved change to a watched stage's folder reads it again,
// says what it found and plays the practice on from where it was, as if the
// changed stage had been played from the start with the same input.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Bot.h"
#include "Simulation.h"
#include "media/MediaFiles.h"
#include "support/TempDir.h"
#include "world/WorldHash.h"

namespace {

std::string CopyGauntlet(const TempDir& dir) {
    std::filesystem::copy(std::string(VELMORA_TEST_DATA) + "/stages", dir.Path(),
                          std::filesystem::copy_options::recursive);
    return dir / "gauntlet.txt";
}

}  // namespace

TEST(StageWatch, ASavedChangePlaysThePracticeAgainToWhereItWas) {
    TempDir dir("stage_watch");
    GameStart start;
    start.stage = CopyGauntlet(dir);
    const std::string media = media_files::Dir().string() + "/";
    Simulation watched(media, {}, start);
    ASSERT_TRUE(watched.Practice(0, 2));
    watched.App().StartWatching();
    WeavingBot bot;
    std::vector<PadState> pads;
    for (int i = 0; i < 150; ++i) {
        pads.push_back(bot.Play(watched.GetWorld()));
        watched.Step(pads.back());
    }
    EXPECT_TRUE(watched.App().WatchNotice().empty());

    // A lancer worth more and turning faster, and a line the stage cannot honour.
    std::ifstream was(dir / "gauntlet/kinds.toml");
    std::string kinds((std::istreambuf_iterator<char>(was)), {});
    kinds.replace(kinds.find("score = 300"), 11, "score = 900");
    kinds.replace(kinds.find("spin = 0.005"), 12, "spin = 0.05");
    std::ofstream(dir / "gauntlet/kinds.toml", std::ios::trunc) << kinds;
    std::ofstream(start.stage, std::ios::app) << "teki nobody 0\n";
    auto saved = std::chrono::steady_clock::now();
    int frames = 0;
    while (watched.App().WatchNotice().empty() && frames < 30) {
        pads.push_back(bot.Play(watched.GetWorld()));
        watched.Step(pads.back());
        ++frames;
    }
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - saved;
    ASSERT_FALSE(watched.App().WatchNotice().empty()) << "no reading again after 30 frames";
    EXPECT_LE(frames, 16) << "looked at four times a second";
    EXPECT_LT(took.count(), 0.5);
    ASSERT_EQ(watched.App().WatchNotice().size(), 2u);
    EXPECT_EQ(watched.App().WatchNotice()[0], "THE STAGE WAS READ AGAIN: 1 FINDING");
    EXPECT_NE(watched.App().WatchNotice()[1].find("NOBODY"), std::string::npos);
    ASSERT_FALSE(watched.AtTitle()) << "the practice goes on";
    EXPECT_TRUE(watched.App().Play().Practising());

    // The same input on the changed stage from its start comes to the same field.
    Simulation fresh(media, {}, start);
    ASSERT_TRUE(fresh.Practice(0, 2));
    for (const PadState& pad : pads)
        fresh.Step(pad);
    EXPECT_EQ(HashWorld(watched.GetWorld()), HashWorld(fresh.GetWorld()))
        << watched.Report() << "\n"
        << fresh.Report();
    EXPECT_EQ(watched.GetWorld().GetFrameCounter(), 150);
}
