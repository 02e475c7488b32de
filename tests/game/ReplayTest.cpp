// The delivered stage, played to its end by a recorded run and by the bot.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "Bot.h"
#include "Simulation.h"
#include "content/StageOrder.h"
#include "input/PadText.h"
#include "input/ScriptedInput.h"
#include "media/MediaFiles.h"
#include "support/Programs.h"
#include "support/TempDir.h"
#include "world/PlayerShip.h"
#include "world/WorldHash.h"

namespace {

const std::string kReplay = std::string(VELMORA_TEST_DATA) + "/replay/";

std::string MediaDir() {
    return media_files::Dir().string() + "/";
}

}  // namespace

// A change of the game's rules or of the stage shows here as a different hash.
// When the change is meant, scripts/record-replay records the run anew. Two
// games play it at once, one a thousand steps behind the other: whatever one
// field does must not reach the other.
TEST(Replay, TheDeliveredStagePlaysAsRecordedAlsoBesideAnotherGame) {
    // A replay the game kept, or the steps of a run from the title.
    std::ifstream inputFile(kReplay + "stage.inputs");
    std::string text((std::istreambuf_iterator<char>(inputFile)), std::istreambuf_iterator<char>());
    std::optional<Replay> replay;
    std::vector<PadRun> runs;
    if (LooksLikeReplay(text)) {
        std::string why;
        replay = ReplayFromText(text, why);
        ASSERT_TRUE(replay) << why;
        // The replay brings its own steps: the pad stays still, as a viewer's
        // does, since a viewer's keys seek and pause. One step more starts the game.
        runs = {{1 + CountSteps(replay->input), PadState{}}};
    } else {
        std::istringstream in(text);
        runs = ReadPadRuns(in, 1L << 30);
    }
    const long steps = CountSteps(runs);
    ASSERT_GT(steps, 10000);
    std::map<std::string, uint64_t> expected;
    std::ifstream hashFile(kReplay + "stage.hashes");
    std::string key, value;
    while (hashFile >> key >> value)
        expected[key] = std::stoull(value, nullptr, std::isdigit(key[0]) ? 16 : 10);

    constexpr int kLag = 1000;
    Simulation ahead(MediaDir()), behind(MediaDir());
    if (replay) {
        ahead.PlayReplay(*replay);
        behind.PlayReplay(*replay);
    }
    ScriptedInput aheadInput(runs), behindInput(runs);
    int mismatches = 0;
    auto step = [&](Simulation& sim, ScriptedInput& input) {
        PadState pad;
        input.Fill(pad);
        sim.Step(pad);
        auto it = expected.find(std::to_string(sim.Steps()));
        if (it == expected.end()) return;
        uint64_t hash = HashWorld(sim.GetWorld());
        if (hash != it->second && mismatches++ == 0) {
            ADD_FAILURE() << "the field differs from the recorded run from step " << sim.Steps()
                          << " on (" << sim.Report() << ")";
        }
    };
    for (long i = 0; i < steps + kLag; ++i) {
        if (i < steps) step(ahead, aheadInput);
        if (i >= kLag) step(behind, behindInput);
    }
    EXPECT_EQ(mismatches, 0);
    for (Simulation* sim : {&ahead, &behind}) {
        const Simulation::Milestones& m = sim->Reached();
        EXPECT_EQ(m.bossEntry, static_cast<int>(expected["boss-entry"]));
        EXPECT_EQ(m.gameClear, static_cast<int>(expected["game-clear"]));
        EXPECT_EQ(m.gameOver, static_cast<int>(expected["game-over"]));
        EXPECT_EQ(m.backToTitle, static_cast<int>(expected["back-to-title"]));
    }
}

namespace {

// What velmora-sim printed, without the line of how long it took, and its exit status.
std::pair<std::string, int> RunSim(const std::string& arguments) {
    ProgramRun run = RunProgram(std::string(VELMORA_SIM) + " --steps 1200 " + arguments);
    std::size_t timing = run.output.find("simulated ");
    if (timing != std::string::npos) run.output.erase(timing);
    return {run.output, run.status};
}

}  // namespace

TEST(SimulatorMedia, TheFolderOfTheGamesFilesInAnyFormOrAClearError) {
    std::string media = media_files::Dir().string();
    auto [plain, plainStatus] = RunSim("--media " + media);
    EXPECT_EQ(plainStatus, 0) << plain;
    // The delivered stage ran: its first section came and its enemies were shot.
    size_t first = plain.find("section FIRST CONTACT ");
    ASSERT_NE(first, std::string::npos) << plain;
    std::string section = plain.substr(first, plain.find('\n', first) - first);
    EXPECT_FALSE(section.ends_with(" score 0")) << plain;
    TempDir dir("sim_media");
    std::filesystem::create_directory_symlink(media, dir / "pack");
    for (const std::string& form : {media + "/", dir / "pack", dir / "pack/"})
        EXPECT_EQ(RunSim("--media " + form), std::make_pair(plain, 0)) << form;

    auto [empty, emptyStatus] = RunSim("--media " + dir.Path().string());
    EXPECT_EQ(emptyStatus, 2);
    EXPECT_EQ(empty.rfind("velmora-sim: ", 0), 0u) << empty;
}

// Whatever the bot does, the stage runs its whole course: waves, the boss, the
// end of the game, and the way back to the title. The game is kept as a
// replay; played back in a fresh run, through the game's own input, it ends
// where the game ended.
TEST(Replay, TheBotPlaysTheWholeStageAndItsKeptGamePlaysBackToTheSameEnd) {
    TempDir saves("replays");
    std::string score;
    {
        HeadlessPlatform::Options options;
        options.userSaveDir = saves.Path().string() + "/";
        Simulation sim(MediaDir(), options);
        WeavingBot bot;
        while (!sim.Over() && sim.Steps() < 60 * 60 * 15) {
            PadState pad;
            if (sim.AtTitle()) {
                pad.buttons[kButtonFire] = sim.Steps() % 2 == 1;
            } else {
                pad = bot.Play(sim.GetWorld());
            }
            sim.Step(pad);
        }
        const Simulation::Milestones& m = sim.Reached();
        EXPECT_GT(m.bossEntry, 60 * 60 * 4) << "the stage runs at least four minutes to its boss";
        EXPECT_TRUE(m.gameClear > m.bossEntry || m.gameOver > 0);
        EXPECT_GT(m.backToTitle, m.gameOver);
        ASSERT_TRUE(sim.Over());
        ASSERT_NE(sim.App().LastGame(), nullptr);
        score = sim.App().LastGame()->score;
    }  // the game is gone once its replay is on disk
    std::vector<std::filesystem::path> kept;
    for (const auto& entry : std::filesystem::directory_iterator(saves / "replays"))
        kept.push_back(entry.path());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(kept[0].filename().string().find("-" + score + "-script_easy.replay"),
              std::string::npos)
        << kept[0];
    std::ifstream file(kept[0]);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::string why;
    std::optional<Replay> replay = ReplayFromText(text, why);
    ASSERT_TRUE(replay) << why;
    EXPECT_EQ(ReplayMismatch(*replay, MediaDir()), "");

    Simulation again(MediaDir());
    again.GetWorld().NextRandom();  // as in a later game of a session
    again.PlayReplay(*replay);
    while (!again.Over() && again.Steps() < 60 * 60 * 15)
        again.Step();
    EXPECT_TRUE(again.App().ReplayEnded());
    EXPECT_TRUE(again.App().ReplayMatched());
    EXPECT_EQ(again.GetWorld().GetScore().Text(), score);
}

// Practice from each part of the delivered stage: an empty field but for the
// ship flying in, the timeline from that part's line on, and the music the
// stage plays there.
TEST(Practice, EachSectionOfTheDeliveredStageStartsAsIfTheStageHadComeThere) {
    Simulation probe(MediaDir());
    const StageScript& stage = probe.App().Play().StageIn(probe.App().Catalogue().At(0).path);
    std::vector<StageSection> starts = stage.PracticeStarts();
    ASSERT_EQ(starts.size(), 6u);
    EXPECT_EQ(starts.back().name, "THE BOSS");
    for (std::size_t i = 0; i < starts.size(); ++i) {
        SCOPED_TRACE(starts[i].name);
        Simulation sim(MediaDir());
        ASSERT_TRUE(sim.Practice(static_cast<int>(i), 4));
        sim.Step();  // the step that begins it
        World& world = sim.GetWorld();
        int occupied = 0;
        for (const ObjectPool* pool : world.Pools())
            occupied += pool->Count();
        EXPECT_EQ(occupied, 2);  // the ship and the background
        for (int step = 0; step < 50; ++step)
            sim.Step();
        const StageScript& running = sim.App().Play().Stage();
        EXPECT_GT(running.Position(), starts[i].command);
        EXPECT_GT(running.Waiting(), 0);
        ASSERT_FALSE(sim.Platform().music->opened.empty());
        EXPECT_EQ(sim.Platform().music->opened.front(), MediaDir() + "Music/qz_disky.mid");
        EXPECT_EQ(world.GetPlayer()->optionCount, 4);
    }
}

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

namespace {

// A kept run's field hashes by step, and its milestones by name.
std::map<std::string, uint64_t> KeptHashes(const std::string& name) {
    std::map<std::string, uint64_t> expected;
    std::ifstream hashFile(kReplay + name + ".hashes");
    for (std::string key, value; hashFile >> key >> value;)
        expected[key] = std::stoull(value, nullptr, std::isdigit(key[0]) ? 16 : 10);
    return expected;
}

// Plays the replay under way to its end: it ends as recorded, its field as
// kept at every step there is a hash for.
void PlayToItsEnd(Simulation& sim, const std::map<std::string, uint64_t>& expected) {
    int mismatches = 0;
    while (!sim.Over()) {
        sim.Step();
        auto it = expected.find(std::to_string(sim.Steps()));
        if (it != expected.end() && HashWorld(sim.GetWorld()) != it->second && !mismatches++)
            ADD_FAILURE() << "the field differs from step " << sim.Steps() << " on";
    }
    EXPECT_TRUE(sim.App().ReplayMatched());
    EXPECT_EQ(mismatches, 0);
}

}  // namespace

// The bot's runs at the harder levels, kept as the game keeps its replays, and
// one kept before stages had names and sections: a change to how the game plays
// at any level shows here, and old replays keep playing.
TEST(Replay, TheRunsAtEveryLevelAndAnOldReplayPlayAsRecorded) {
    for (const std::string name : {"normal", "hard", "first-format"}) {
        SCOPED_TRACE(name);
        std::string why;
        std::optional<Replay> replay =
            PlayableReplay(ReadAll(kReplay + name + ".replay"), MediaDir(), why);
        ASSERT_TRUE(replay) << why;
        std::map<std::string, uint64_t> expected = KeptHashes(name);
        Simulation sim(MediaDir());
        sim.PlayReplay(*replay);
        PlayToItsEnd(sim, expected);
        if (expected.count("game-over")) {
            EXPECT_EQ(sim.Reached().gameOver, static_cast<int>(expected["game-over"]));
        }
    }
}

// Each of the game's other stages can be cleared: a kept run of the bot at
// EASY plays to its clear, its field as recorded at every printed step.
TEST(Replay, EveryOtherStageOfTheGameHasAKeptRunThatClearsIt) {
    const std::vector<std::string> stages =
        PackStages(MediaDir(), [](const std::string& line) { ADD_FAILURE() << line; });
    EXPECT_FALSE(stages.empty());
    for (const std::string& stage : stages) {
        const std::string name = std::filesystem::path(stage).stem().string();
        SCOPED_TRACE(name);
        std::string why;
        std::optional<Replay> replay =
            PlayableReplay(ReadAll(kReplay + name + ".replay"), MediaDir(), why);
        ASSERT_TRUE(replay) << why;
        EXPECT_EQ(replay->stageFile, "game:" + name + ".txt");
        std::map<std::string, uint64_t> expected = KeptHashes(name);
        ASSERT_FALSE(expected.empty());
        Simulation sim(MediaDir());
        sim.PlayReplay(*replay);
        PlayToItsEnd(sim, expected);
        EXPECT_GT(sim.Reached().gameClear, 0) << "the run clears the stage";
    }
}
