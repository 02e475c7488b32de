// Replays as files: their text, the folder they are kept in, and the game
// program refusing one that was played on something else.
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "game/Replay.h"
#include "game/ReplayShelf.h"
#include "media/MediaFiles.h"
#include "support/Programs.h"
#include "support/TempDir.h"

namespace {

Replay Sample() {
    Replay r;
    r.version = "0.1 (v0.1-7-gabc1234)";
    r.stage = "/home/me/my stage.txt";
    r.stageHash = 0x0123456789abcdefull;
    r.modelsHash = 0xfedcba9876543210ull;
    r.highScore = "000000004000";
    std::ostringstream random;
    random << std::mt19937{};
    r.random = random.str();
    r.toggleLatch = true;
    r.score = "000000101730";
    r.fieldHash = 0x1986958d6582b48bull;
    PadState stick = PadFromText("LZ@-0.35,0");  // where the stick stood is no longer kept
    r.input = {{3, PadFromText("RZ")}, {1, PadState{}}, {2, stick}, {1, PadFromText("UDXCVB")}};
    return r;
}

}  // namespace

TEST(ReplayFile, ReadsBackWhatItWrote) {
    Replay r = Sample();
    std::string text = ReplayToText(r), why;
    EXPECT_TRUE(LooksLikeReplay(text));
    std::optional<Replay> back = ReplayFromText(text, why);
    ASSERT_TRUE(back) << why;
    EXPECT_EQ(ReplayToText(*back), text);
    EXPECT_EQ(back->stage, r.stage);
    EXPECT_EQ(back->input.size(), 4u);
    EXPECT_EQ(back->input[2].pad, PadFromText("LZ"));
    EXPECT_TRUE(back->input[3].pad.Held(kButtonFreeze));
    EXPECT_TRUE(back->toggleLatch);
}

TEST(ReplayFile, AnythingButAWholeReplayIsRefusedWithItsReason) {
    std::string good = ReplayToText(Sample());
    auto refused = [](std::string text) {
        std::string why;
        bool read = ReplayFromText(text, why).has_value();
        return !read && !why.empty();
    };
    auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        return text;
    };
    EXPECT_TRUE(refused(""));
    EXPECT_TRUE(refused("3 RZ\n1 \n"));  // steps without a header
    EXPECT_TRUE(refused(good.substr(0, good.find("score "))));
    EXPECT_TRUE(refused(replace("stage-hash 123456789abcdef", "stage-hash xyz")));
    EXPECT_TRUE(refused(replace("high-score 000000004000", "high-score 4000")));
    std::string random = good.substr(good.find("random "));
    EXPECT_TRUE(refused(replace(random.substr(0, random.find('\n')), "random 1 2 3")));
    EXPECT_TRUE(refused(replace("steps 7", "steps 8")));  // one step short
    EXPECT_TRUE(refused(replace("steps 7", "steps 99999999999999999999")));
    EXPECT_TRUE(refused(good.substr(0, good.rfind("1 UD"))));  // its last step lost
    EXPECT_FALSE(refused(good));
}

TEST(ReplayShelf, KeepsTheTwentyNewestAndTheFiveBest) {
    TempDir dir("shelf");
    std::string folder = dir.Path().string() + "/";
    // Thirty games a minute apart; the best scores are among the oldest.
    std::set<std::string> newest, best;
    for (int i = 0; i < 30; ++i) {
        int points = i < 5 ? 90000 + i : i;
        char score[13];
        std::snprintf(score, sizeof score, "%012d", points);
        std::string name = ReplayShelf::FileName(1'700'000'000 + 60 * i, score, "/x/My Stage.txt");
        std::ofstream(folder + name) << "x";
        if (i >= 10) newest.insert(name);
        if (i < 5) best.insert(name);
    }
    std::ofstream(folder + "notes.txt") << "mine";
    ReplayShelf::Prune(folder);

    std::set<std::string> kept;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        kept.insert(entry.path().filename().string());
    EXPECT_EQ(kept.size(), 26u);
    EXPECT_TRUE(kept.count("notes.txt"));
    for (const std::string& name : newest)
        EXPECT_TRUE(kept.count(name)) << name;
    for (const std::string& name : best)
        EXPECT_TRUE(kept.count(name)) << name;
    EXPECT_NE(kept.begin()->find("-My_Stage.replay"), std::string::npos) << *kept.begin();
}

TEST(ReplayFile, TheGameRefusesAReplayOfAnotherStageAndSaysWhy) {
    std::string dataDir = media_files::Dir().parent_path().string() + "/";
    std::string media = dataDir + "Media/";
    TempDir dir("replay_refused");
    Replay r = Sample();
    r.stage.clear();  // the game's own stage, but it was another text then
    r.modelsHash = HashModels(media);
    EXPECT_NE(ReplayMismatch(r, media).find("stage"), std::string::npos);
    std::ofstream(dir / "other.replay") << ReplayToText(r);

    ProgramRun run = RunProgram(
        "env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME=" + dir.Path().string() + " " +
        VELMORA_GAME + " --datadir " + dataDir + " --replay " + (dir / "other.replay"));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("is not the one the game was played on"), std::string::npos)
        << run.output;

    std::ofstream(dir / "garbage.replay") << "not a replay";
    run = RunProgram(std::string("env -u DISPLAY ") + VELMORA_GAME + " --replay " +
                     (dir / "garbage.replay"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("not a Velmora replay"), std::string::npos) << run.output;
}
