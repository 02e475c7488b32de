// Watching a kept game: the viewer's keys, seeking both ways at every speed,
// taking the game over, and the REPLAYS screen that lists what was kept.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "Simulation.h"
#include "game/Playback.h"
#include "game/Scenes.h"
#include "input/KeyTable.h"
#include "input/Presses.h"
#include "media/MediaFiles.h"
#include "support/Pads.h"
#include "support/Programs.h"
#include "support/TempDir.h"
#include "world/WorldHash.h"

namespace fs = std::filesystem;

namespace {

const std::string kReplays = std::string(VELMORA_TEST_DATA) + "/replay/";

std::string MediaDir() {
    return media_files::Dir().string() + "/";
}

Replay Kept(const std::string& name) {
    std::ifstream in(kReplays + name, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string why;
    std::optional<Replay> replay = PlayableReplay(text, MediaDir(), why);
    if (!replay) ADD_FAILURE() << why;
    return replay.value_or(Replay{});
}

// A viewer at the keys: a key held for a frame and let go for one.
struct Viewer {
    explicit Viewer(const Replay& replay) : sim(MediaDir()) { sim.PlayReplay(replay); }
    void Tap(Hold key) {
        sim.Step(Pad({key}));
        sim.Step();
    }
    void Press(int scancode) {
        sim.App().OnKeyPressed(scancode);
        sim.Step();
    }
    Playback& Watching() { return *sim.App().Viewing(); }
    // Plays on until the replay has ended; false when it would not.
    bool ToTheEnd() {
        for (long frames = 0; frames < 200000 && !sim.App().ReplayEnded(); ++frames)
            sim.Step();
        return sim.App().ReplayEnded();
    }
    uint64_t Hash() { return HashWorld(sim.GetWorld()); }

    Simulation sim;
};

}  // namespace

TEST(Playback, SeekingBothWaysThenToTheEndEndsAsAStraightPlaybackAtEverySpeed) {
    const Replay replay = Kept("normal.replay");
    Viewer straight(replay);
    ASSERT_TRUE(straight.ToTheEnd());
    ASSERT_TRUE(straight.sim.App().ReplayMatched());
    const uint64_t end = straight.Hash();

    for (int slower = 2; slower >= -4; --slower) {  // 1/4 to 16 times
        SCOPED_TRACE(slower);
        Viewer viewer(replay);
        for (int i = 0; i < slower; ++i)
            viewer.Tap(Hold::Down);
        for (int i = 0; i < -slower; ++i)
            viewer.Tap(Hold::Up);
        EXPECT_EQ(viewer.Watching().SpeedTimes(), slower < 0 ? 1 << -slower : 1);
        EXPECT_EQ(viewer.Watching().SpeedDivides(), slower > 0 ? 1 << slower : 1);
        for (int i = 0; i < 5; ++i)
            viewer.Tap(Hold::Right);
        const long ahead = viewer.Watching().Position();
        EXPECT_GE(ahead, 5 * Playback::kSeekSteps);
        for (int i = 0; i < 3; ++i)
            viewer.Tap(Hold::Left);
        EXPECT_LT(viewer.Watching().Position(), ahead - 2 * Playback::kSeekSteps);
        viewer.Press(scancode::kPageDown);
        viewer.Tap(Hold::Right);
        ASSERT_TRUE(viewer.ToTheEnd());
        EXPECT_TRUE(viewer.sim.App().ReplayMatched());
        EXPECT_EQ(viewer.Hash(), end);
    }
}

TEST(Playback, PausedItStepsByTheFramesKeyAndHomeGoesBackToTheStart) {
    Viewer viewer(Kept("hard.replay"));
    for (int i = 0; i < 100; ++i)
        viewer.sim.Step();
    EXPECT_EQ(viewer.Watching().Position(), 100);
    viewer.sim.Step(Pad({Hold::Pause}));  // C, as the pause key is bound: no step more
    EXPECT_TRUE(viewer.Watching().Paused());
    viewer.sim.Step();
    EXPECT_EQ(viewer.Watching().Position(), 100);
    viewer.Press(scancode::kPeriod);
    viewer.Press(scancode::kPeriod);
    EXPECT_EQ(viewer.Watching().Position(), 102);
    viewer.Press(scancode::kHome);
    EXPECT_EQ(viewer.Watching().Position(), 0);
    EXPECT_TRUE(viewer.Watching().Paused());
    // Its first step is the recorded game's first step again.
    viewer.Press(scancode::kPeriod);
    Viewer fresh(Kept("hard.replay"));
    fresh.sim.Step();
    EXPECT_EQ(viewer.Hash(), fresh.Hash());
    viewer.sim.Step(Pad({Hold::Pause}));
    viewer.sim.Step();
    EXPECT_FALSE(viewer.Watching().Paused());
    EXPECT_EQ(viewer.Watching().Position(), 3);
}

TEST(Playback, SectionsAreMarkedWhereTheGameReachedThemAndPageKeysGoThere) {
    Viewer viewer(Kept("first-format.replay"));
    const std::vector<long> marks = viewer.Watching().Marks();
    ASSERT_EQ(marks.size(), 6u);  // every section of the delivered stage
    EXPECT_TRUE(std::is_sorted(marks.begin(), marks.end()));
    viewer.Press(scancode::kPageDown);
    viewer.Press(scancode::kPageDown);
    EXPECT_EQ(viewer.Watching().Position(), marks[1] + 1);
    viewer.Press(scancode::kPageUp);
    EXPECT_EQ(viewer.Watching().Position(), marks[0] + 1);

    // Seeking anywhere is a silent game played again from the start.
    std::vector<double> ms;
    const long length = viewer.Watching().Length();
    for (int i = 0; i < 20; ++i) {
        long target = (i * 7919L) % length;  // forward and back, all over the stage
        auto start = std::chrono::steady_clock::now();
        viewer.Watching().SeekTo(target);
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        EXPECT_EQ(viewer.Watching().Position(), target);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("[ seeking   ] 20 targets over %ld steps: p50 %.1f ms, max %.1f ms\n", length,
                ms[10], ms.back());
    EXPECT_LT(ms.back(), 3000.0);  // a tenth of that in a release build on a quiet machine
}

TEST(Playback, TakingOverKeepsOneGameThatPlaysBackToItsEnd) {
    Viewer viewer(Kept("normal.replay"));
    for (int i = 0; i < 1500; ++i)
        viewer.sim.Step();
    viewer.Press(scancode::kReturn);
    EXPECT_TRUE(viewer.sim.App().TookOver());
    EXPECT_EQ(viewer.sim.App().Viewing(), nullptr);
    // The viewer plays on: to the left and firing, until the game is over.
    for (int i = 0; i < 100000 && !viewer.sim.Over(); ++i)
        viewer.sim.Step(Pad({i % 200 < 100 ? Hold::Left : Hold::Right, Hold::Fire}));
    const Replay* kept = viewer.sim.App().LastGame();
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->practice);
    EXPECT_EQ(kept->level, "NORMAL");

    Replay again = *kept;
    again.modelsHash = HashModels(MediaDir());
    Viewer replayed(again);
    ASSERT_TRUE(replayed.ToTheEnd());
    EXPECT_TRUE(replayed.sim.App().ReplayMatched());
}

// A pause Esc opened and closed is in the kept game like the pause key's, so
// the replay pauses where the game did and ends where it ended.
TEST(Playback, APauseByEscPlaysBackAsItWasPlayed) {
    Simulation sim(MediaDir());
    sim.Step(Pad({Hold::Fire}));  // START
    for (int i = 0; i < 400; ++i)
        sim.Step(Pad({i % 120 < 60 ? Hold::Left : Hold::Right, Hold::Fire}));
    sim.App().OnEscape();
    for (int i = 0; i < 90; ++i)
        sim.Step();
    sim.App().OnEscape();
    for (int i = 0; i < 400; ++i)
        sim.Step(Pad({Hold::Fire}));
    sim.App().RequestReturnToTitle();
    sim.Step();
    ASSERT_NE(sim.App().LastGame(), nullptr);
    Replay kept = *sim.App().LastGame();
    kept.modelsHash = HashModels(MediaDir());
    Viewer replayed(kept);
    ASSERT_TRUE(replayed.ToTheEnd());
    EXPECT_TRUE(replayed.sim.App().ReplayMatched());
}

namespace {

// The game with a folder of kept replays, at the title.
struct Shelf {
    Shelf() : sim(MediaDir(), WithUserFolder(user)) {
        fs::create_directories(user.Path() / "replays");
        fs::copy_file(kReplays + "hard.replay",
                      user.Path() / "replays" / "20261208-130000-000000032820-script_easy.replay");
        fs::copy_file(kReplays + "normal.replay",
                      user.Path() / "replays" / "20261208-120000-000000042760-script_easy.replay");
        std::ofstream(user.Path() / "replays" / "20261208-140000-000000000000-x.replay") << "junk";
    }
    static HeadlessPlatform::Options WithUserFolder(const TempDir& user) {
        HeadlessPlatform::Options options;
        options.userSaveDir = user.Path().string() + "/";
        return options;
    }
    void Tap(Hold key) {
        sim.Step(Pad({key}));
        sim.Step();
    }
    ReplayMenu* Screen() {
        for (Scene* s : Each<Scene>(sim.App().Scenes().Pool())) {
            if (auto* menu = dynamic_cast<ReplayMenu*>(s)) return menu;
        }
        return nullptr;
    }
    void OpenReplays() {
        sim.Step();
        while (sim.App().Scenes().Has(SceneKind::TitleMenu) && !Screen()) {
            TitleMenu* title = nullptr;
            for (Scene* s : Each<Scene>(sim.App().Scenes().Pool()))
                title = title ? title : dynamic_cast<TitleMenu*>(s);
            Tap(title->menu.Cursor() == static_cast<int>(TitleRow::Replays) ? Hold::Fire
                                                                            : Hold::Down);
        }
    }

    TempDir user{"shelf"};
    Simulation sim;
};

}  // namespace

TEST(ReplaysScreen, ListsNewestFirstSaysWhyOneCannotBeWatchedWatchesAndGoesBack) {
    Shelf shelf;
    shelf.OpenReplays();
    ReplayMenu* screen = shelf.Screen();
    ASSERT_NE(screen, nullptr);
    ASSERT_EQ(screen->entries.size(), 3u);
    EXPECT_EQ(screen->entries[0].problem, ReplayProblem::Damaged);
    EXPECT_EQ(screen->entries[1].level, "HARD");
    EXPECT_TRUE(screen->entries[1].best);
    shelf.Tap(Hold::Fire);
    EXPECT_EQ(shelf.Screen()->message, "NOT A VELMORA REPLAY");
    shelf.Tap(Hold::Down);
    shelf.Tap(Hold::Fire);  // the HARD one
    ASSERT_NE(shelf.sim.App().Viewing(), nullptr);
    EXPECT_EQ(shelf.Screen(), nullptr);
    for (int i = 0; i < 300; ++i)
        shelf.sim.Step();
    shelf.sim.App().OnEscape();  // back to the list, not out of the game
    ASSERT_NE(shelf.Screen(), nullptr);
    EXPECT_EQ(shelf.sim.App().Viewing(), nullptr);
    EXPECT_FALSE(shelf.sim.App().ExitStatus());
    EXPECT_EQ(shelf.sim.GetWorld().GetPlayer(), nullptr);

    // Watched to its end, the list comes back and says how it ended.
    shelf.sim.Step();  // keys held as a menu appears do nothing until let go
    shelf.Tap(Hold::Down);
    shelf.Tap(Hold::Fire);
    ASSERT_NE(shelf.sim.App().Viewing(), nullptr);
    shelf.sim.App().Viewing()->SeekTo(shelf.sim.App().Viewing()->Length() - 1);
    shelf.sim.Step();
    ASSERT_NE(shelf.Screen(), nullptr);
    EXPECT_EQ(shelf.Screen()->message, "THE REPLAY ENDED AS IT WAS RECORDED");

    shelf.sim.App().OnEscape();
    shelf.sim.Step();
    EXPECT_TRUE(shelf.sim.App().Scenes().Has(SceneKind::TitleMenu));
}

TEST(ReplaysScreen, DeleteAsksFirstAndRemovesOnlyTheChosenFile) {
    Shelf shelf;
    const fs::path folder = shelf.user.Path() / "replays";
    fs::create_symlink(kReplays + "hard.replay", folder / "20261208-150000-000000099999-y.replay");
    shelf.OpenReplays();
    ASSERT_EQ(shelf.Screen()->entries.size(), 3u);  // the link is left out
    shelf.Tap(Hold::Down);
    shelf.sim.App().OnKeyPressed(scancode::kDelete);
    shelf.sim.Step();
    EXPECT_TRUE(shelf.Screen()->confirmingDelete);
    shelf.sim.App().OnEscape();  // no
    shelf.sim.Step();
    EXPECT_FALSE(shelf.Screen()->confirmingDelete);
    EXPECT_TRUE(fs::exists(folder / "20261208-130000-000000032820-script_easy.replay"));
    shelf.sim.App().OnKeyPressed(scancode::kDelete);
    shelf.sim.Step();
    shelf.Tap(Hold::Fire);  // yes
    EXPECT_FALSE(fs::exists(folder / "20261208-130000-000000032820-script_easy.replay"));
    EXPECT_TRUE(fs::exists(folder / "20261208-120000-000000042760-script_easy.replay"));
    EXPECT_TRUE(fs::is_symlink(folder / "20261208-150000-000000099999-y.replay"));
    EXPECT_EQ(shelf.Screen()->entries.size(), 2u);
    EXPECT_EQ(shelf.Screen()->message, "DELETED");
}

// velmora --replay: 0 when it came where it did when recorded, 1 when it went
// its own way, 3 when it was left before its end.
TEST(ReplayExit, TheProgramsStatusSaysHowTheReplayEnded) {
    TempDir dir("replay_exit");
    std::ofstream(dir / "short.txt") << "stage Short\ngameover\n";
    ProgramRun recorded = RunProgram(std::string(VELMORA_SIM) + " --stage " + (dir / "short.txt") +
                                     " --record " + (dir / "short.replay"));
    ASSERT_EQ(recorded.status, 0) << recorded.output;
    std::ifstream in(dir / "short.replay");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string changed = text;
    const std::string score = "\nscore 000000000000";
    ASSERT_NE(changed.find(score), std::string::npos);
    changed.replace(changed.find(score), score.size(), "\nscore 000000000001");
    std::ofstream(dir / "changed.replay") << changed;

    const std::string game =
        // No display: a replay refused would wait on its message box.
        "env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy "
        "XDG_DATA_HOME=" +
        dir.Path().string() + " XDG_CONFIG_HOME=" + dir.Path().string() + " " + VELMORA_GAME +
        " --replay ";
    EXPECT_EQ(RunProgram(game + (dir / "short.replay")).status, 0);
    ProgramRun changedRun = RunProgram(game + (dir / "changed.replay"));
    EXPECT_EQ(changedRun.status, 1);
    EXPECT_NE(changedRun.output.find("its own way"), std::string::npos) << changedRun.output;
    ProgramRun left =
        RunProgram("timeout --preserve-status -s TERM 1 " + game + (dir / "short.replay"));
    EXPECT_EQ(left.status, 3) << left.output;
}
