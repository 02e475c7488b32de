// A stage that brings its own kind, boss, patterns and music in a folder beside
// it, played from the title to its end by the game's own path, and what its
// content does to its fingerprint and to the files that are wrong.
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "Bot.h"
#include "Simulation.h"
#include "graphics/Mesh.h"
#include "media/MediaFiles.h"
#include "script/StageCheck.h"
#include "script/StageReader.h"
#include "support/TempDir.h"
#include "world/Boss.h"
#include "world/KindEnemy.h"
#include "world/WorldHash.h"

namespace {

const std::string kGauntlet = std::string(VELMORA_TEST_DATA) + "/stages/gauntlet.txt";

std::string Media() {
    return media_files::Dir().string() + "/";
}

// The gauntlet and its folder, copied where a test may change them.
std::string CopyGauntlet(const TempDir& dir) {
    std::filesystem::copy(std::string(VELMORA_TEST_DATA) + "/stages", dir.Path(),
                          std::filesystem::copy_options::recursive);
    return dir / "gauntlet.txt";
}

bool HasFinding(const std::vector<std::string>& findings, const std::string& part) {
    for (const std::string& f : findings) {
        if (f.find(part) != std::string::npos) return true;
    }
    return false;
}

}  // namespace

TEST(StageContent, AStageWithItsOwnKindAndThreePhaseBossIsCleanAndPlaysToItsEnd) {
    StageCheck check = CheckStage(kGauntlet, Media());
    EXPECT_TRUE(check.Clean()) << DescribeStageCheck(check);
    EXPECT_TRUE(check.hasBoss);

    GameStart start;
    start.stage = kGauntlet;
    Simulation sim(Media(), {}, start);
    ASSERT_TRUE(sim.PressStart());

    WeavingBot bot;
    std::set<std::string> seen;
    bool warned = false;
    while (!sim.Over() && sim.Steps() < 60 * 60 * 5) {
        sim.Step(bot.Play(sim.GetWorld()));
        warned = warned || sim.App().Scenes().Has(SceneKind::Warning);
        for (Enemy* e : Each<Enemy>(sim.GetWorld().enemyPool)) {
            if (auto* kind = dynamic_cast<KindEnemy*>(e)) seen.insert(kind->kind.name);
            if (dynamic_cast<BossCore*>(e)) {
                seen.insert("core " + std::to_string(e->score));
                EXPECT_EQ(e->model, &sim.GetWorld().ModelAt(kModelCount)) << "its own model";
            }
            if (dynamic_cast<BossPart*>(e)) seen.insert("pairs");
        }
    }
    EXPECT_TRUE(warned) << "a stage's boss warns";
    EXPECT_EQ(seen, (std::set<std::string>{"lancer", "core 2000", "core 3000", "pairs"}));
    EXPECT_GE(sim.Reached().bossEntry, 0);
    EXPECT_GT(sim.Reached().gameClear, sim.Reached().bossEntry);
    EXPECT_GE(sim.Reached().backToTitle, 0) << "the stage's own end returns to the title";
    EXPECT_EQ(sim.Reached().gameOver > 0 && sim.Reached().gameOver < sim.Reached().gameClear,
              false);
}

// What the stage plays with counts in its fingerprint, so a replay of a changed
// folder is refused; its comments and layout do not.
TEST(StageContent, TheFingerprintCoversTheFolderButNotHowItIsWritten) {
    TempDir dir("stage_content");
    const std::string stage = CopyGauntlet(dir);
    const uint64_t first = ReadStage(stage, Media()).fingerprint;
    EXPECT_EQ(first, ReadStage(kGauntlet, Media()).fingerprint) << "it depends on no path";

    std::ofstream(dir / "gauntlet/kinds.toml", std::ios::app) << "\n# a remark\n";
    EXPECT_EQ(ReadStage(stage, Media()).fingerprint, first);
    std::ofstream(dir / "gauntlet/fan.xml", std::ios::app) << "\n";
    EXPECT_NE(ReadStage(stage, Media()).fingerprint, first) << "a pattern's bytes count";
    const uint64_t second = ReadStage(stage, Media()).fingerprint;
    std::ofstream(dir / "gauntlet/bosses.toml", std::ios::app) << "\n[other]\nmodel = \"big1\"\n";
    EXPECT_EQ(ReadStage(stage, Media()).fingerprint, second) << "a boss the stage never names";
    std::ofstream(dir / "gauntlet/march.mid", std::ios::app) << "x";
    EXPECT_NE(ReadStage(stage, Media()).fingerprint, second) << "a piece it plays counts";
}

// A model the pack lacks is NAME.x beside the entry: loaded for the stage, once
// however many entries name it, its bytes in the fingerprint.
TEST(StageContent, AStageFolderBringsItsOwnModels) {
    TempDir dir("stage_models");
    const std::string stage = CopyGauntlet(dir);
    std::ofstream(dir / "gauntlet/kinds.toml", std::ios::app)
        << "[crowned]\nmodel = \"tyrant\"\n[broken]\nmodel = \"broken\"\n"
        << "[climber]\nmodel = \"../gauntlet/tyrant\"\n";
    std::ofstream(dir / "gauntlet/broken.x") << "xof 0303txt 0032\nMesh { 99999999;\n";
    StageRead read = ReadStage(stage, Media());
    ASSERT_NE(read.content->Boss("tyrant"), nullptr);
    EXPECT_EQ(read.content->Boss("tyrant")->model, kModelCount);
    ASSERT_NE(read.content->Kind("crowned"), nullptr);
    EXPECT_EQ(read.content->Kind("crowned")->model, kModelCount);
    ASSERT_EQ(read.content->ModelFiles().size(), 1u);
    EXPECT_TRUE(read.content->ModelFiles()[0].ends_with("gauntlet/tyrant.x"));
    EXPECT_EQ(read.content->Kind("broken"), nullptr);
    EXPECT_EQ(read.content->Kind("climber"), nullptr) << "a name, not a path out of the folder";
    EXPECT_TRUE(HasFinding(read.findings, "the model broken.x cannot be read"));
    EXPECT_TRUE(HasFinding(read.findings, "no model \"../gauntlet/tyrant\""));

    std::ofstream(dir / "gauntlet/tyrant.x", std::ios::app) << "\n";
    EXPECT_NE(ReadStage(stage, Media()).fingerprint, read.fingerprint) << "its bytes count";

    // The field loads them with the stage and draws the entry with it.
    GameStart start;
    start.stage = stage;
    Simulation sim(Media(), {}, start);
    ASSERT_TRUE(sim.PressStart());
    EXPECT_GT(sim.GetWorld().ModelAt(kModelCount).MaterialCount(), 0u);
}

// A background line colours the floor from where it stands; a practice from a
// later section sees the colour the lines before it set. It is looks only: the
// field plays the same with or without it.
TEST(StageContent, ABackgroundLineColoursTheFloorAndChangesNothingOfThePlay) {
    TempDir dir("stage_background");
    const std::string plain = dir / "plain.txt";
    const std::string tinted = dir / "tinted.txt";
    const std::string waves = "teki obj1 0\nsleep 300\nteki obj2 10\nsleep 300\n";
    std::ofstream(plain) << "section ONE\n" << waves << "section TWO\n" << waves;
    std::ofstream(tinted) << "section ONE\nbackground 40 80 255\n"
                          << waves << "section TWO\nbackground 255 0 0 and more\n"
                          << waves << "background 300 0 0\nbackground red\n";
    StageCheck check = CheckStage(tinted, Media());
    EXPECT_EQ(check.findings.size(), 2u) << DescribeStageCheck(check);
    EXPECT_TRUE(HasFinding(check.findings, "line 13: a background is three numbers 0 to 255"));
    EXPECT_NE(ReadStage(tinted, Media()).fingerprint, ReadStage(plain, Media()).fingerprint);

    auto play = [](const std::string& stage, int section, int steps) {
        GameStart start;
        start.stage = stage;
        auto sim = std::make_unique<Simulation>(Media(), HeadlessPlatform::Options{}, start);
        EXPECT_TRUE(sim->Practice(section, 2));
        for (int i = 0; i < steps; ++i)
            sim->Step();
        return sim;
    };
    EXPECT_EQ(play(tinted, 0, 300)->GetWorld().floorColour, 0x2850ffu);
    EXPECT_EQ(play(tinted, 1, 300)->GetWorld().floorColour, 0xff0000u) << "as the lines before";
    EXPECT_EQ(play(plain, 1, 300)->GetWorld().floorColour, World::kPlainFloor);
    EXPECT_EQ(HashWorld(play(tinted, 0, 400)->GetWorld()),
              HashWorld(play(plain, 0, 400)->GetWorld()));
}

// Every fault is said with its file and line; the stage plays what it can.
TEST(StageContent, EveryFaultInAContentFileIsAFindingWithItsFileAndLine) {
    TempDir dir("stage_faults");
    const std::string stage = CopyGauntlet(dir);
    std::ofstream(dir / "gauntlet/kinds.toml", std::ios::app)
        << "[ghost]\nmodel = \"nothing\"\n"
        << "[lost]\nmodel = \"obj1\"\nmove = { by = \"teleport\" }\ncolour = 3\n"
        << "[hub]\nmodel = \"obj4\"\nmove = { by = \"arms\" }\n"
        << "[bad_pattern]\nmodel = \"obj1\"\nfire = { pattern = \"missing.xml\" }\n"
        << "[slow]\nmodel = \"obj1\"\nhit_points = \"many\"\n";
    std::ofstream(dir / "gauntlet/bosses.toml", std::ios::app)
        << "[empty]\nmodel = \"big1\"\n"
        << "[endless]\nmodel = \"big1\"\n[[endless.phase]]\nbonus = 1\n";
    std::ofstream(stage, std::ios::app) << "teki ghost 0\nboss empty 0\nplay nothing\n";
    StageCheck check = CheckStage(stage, Media());
    const std::string kinds = dir / "gauntlet/kinds.toml";
    const std::string bosses = dir / "gauntlet/bosses.toml";
    for (const std::string& expected :
         {kinds + ":11: the pack has no model \"nothing\"",
          kinds + ":14: no movement is called \"teleport\"",
          kinds + ":15: no key is called \"colour\"", kinds + ":16: a hub needs \"parts\"",
          kinds + ":21: the pattern missing.xml", kinds + ":24: \"hit_points\" must be a number",
          bosses + ":28: the boss \"empty\" has no phase",
          bosses + ":32: a phase needs hit points or a time limit",
          std::string("line 15: no enemy kind is called \"ghost\""),
          std::string("line 16: no boss is called \"empty\""),
          std::string("line 17: \"play nothing\": no piece is called \"nothing\"")}) {
        EXPECT_TRUE(HasFinding(check.findings, expected)) << expected << "\n"
                                                          << DescribeStageCheck(check);
    }
    // What is sound still plays: the stage keeps its own kind and boss.
    StageRead read = ReadStage(stage, Media());
    EXPECT_NE(read.content->Kind("lancer"), nullptr);
    EXPECT_NE(read.content->Kind("slow"), nullptr) << "a bad value keeps its default";
    EXPECT_NE(read.content->Boss("tyrant"), nullptr);
    EXPECT_EQ(read.content->Kind("ghost"), nullptr);
}

// A garbage or a 100 MB content file, and a folder of 10,000 files, are
// findings, never a crash or a wait.
TEST(StageContent, GarbageHugeAndCrowdedFoldersAreFindings) {
    TempDir dir("stage_garbage");
    const std::string stage = CopyGauntlet(dir);
    std::ofstream(dir / "gauntlet/kinds.toml", std::ios::binary) << std::string("\x80\0[[[", 5);
    std::filesystem::resize_file(dir / "gauntlet/bosses.toml", 100 << 20);  // sparse: 100 MB
    for (int i = 0; i < 10000; ++i)
        std::ofstream(dir / ("gauntlet/p" + std::to_string(i) + (i % 2 ? ".mid" : ".txt")));
    auto started = std::chrono::steady_clock::now();
    StageCheck check = CheckStage(stage, Media());
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    EXPECT_LT(took.count(), 2.0);
    EXPECT_TRUE(HasFinding(check.findings, "kinds.toml:1:")) << DescribeStageCheck(check);
    EXPECT_TRUE(HasFinding(check.findings, "bosses.toml:0: cannot be read"));
    EXPECT_TRUE(HasFinding(check.findings, "more than 64 pieces"));
    EXPECT_TRUE(HasFinding(check.findings, "no enemy kind is called \"lancer\""))
        << "its kinds file is unreadable: the game's own stay";
}

// On the title, choosing a stage with findings says so on the STAGE row.
TEST(StageContent, TheStageRowSaysAStageHasFindings) {
    TempDir dir("stage_row");
    GameStart start;
    start.stage = CopyGauntlet(dir);
    start.settingsPath = dir / "settings.ini";
    std::ofstream(start.stage, std::ios::app) << "teki nobody 0\nboss nobody 0\n";
    Simulation sim(Media(), {}, start);
    EXPECT_EQ(sim.App().ChangeStage(0), "2 FINDINGS IN THIS STAGE: VELMORA-SIM --CHECK LISTS THEM");
    EXPECT_EQ(sim.App().ChangeStage(1), "") << "the game's own stage has none";
}
