// The whole game: the game's own stages one after another from the title, the
// score, the lives and the options carried across, a tally between stages and
// the ending after the last; kept as one replay that plays as recorded.
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Bot.h"
#include "Simulation.h"
#include "game/PlayChoice.h"
#include "game/Playback.h"
#include "game/Scenes.h"
#include "input/KeyTable.h"
#include "media/MediaFiles.h"
#include "world/PlayerShip.h"

namespace {

std::string MediaDir() {
    return media_files::Dir().string() + "/";
}

template <class T>
const T* Find(Simulation& sim) {
    for (Scene* s : Each<Scene>(sim.App().Scenes().Pool())) {
        if (auto* t = dynamic_cast<T*>(s)) return t;
    }
    return nullptr;
}

// The first step of a game of this stage's GET READY: the card it shows.
std::string CardOf(const std::string& stage) {
    GameStart start;
    start.stage = stage;
    Simulation sim(MediaDir(), {}, start);
    sim.PressStart();
    const GetReady* ready = Find<GetReady>(sim);
    return ready ? ready->card : "no GET READY";
}

}  // namespace

// A stage chosen alone starts under its name, as in the whole game; the first
// stage alone starts as it always did, with GET READY alone.
TEST(WholeGame, AStageChosenAloneStartsUnderItsNameButTheFirst) {
    EXPECT_EQ(CardOf(MediaDir() + "stage3.txt"), "THIRD STAGE");
    EXPECT_EQ(CardOf(std::string(VELMORA_TEST_DATA) + "/stages/gauntlet.txt"), "GAUNTLET");
    EXPECT_EQ(CardOf(""), "");
}

TEST(WholeGame, FromTheTitleEveryStageInTurnThenTheEndingAndTheReplayPlaysAsRecorded) {
    GameStart start;
    start.wholeGame = true;
    Simulation sim(MediaDir(), {}, start);
    const CataloguedStage& chosen = sim.App().Catalogue().At(sim.App().Catalogue().WholeGame());
    ASSERT_GE(chosen.chain.size(), 2u);
    EXPECT_EQ(sim.App().StageName(), "WHOLE GAME");
    ASSERT_TRUE(sim.PressStart());

    // The careful bot: the weaving one loses its lives before the last stage.
    CarefulBot bot;
    std::set<int> stagesPlayed;
    std::vector<std::string> cards;
    bool readyBefore = false;
    if (const GetReady* first = Find<GetReady>(sim)) {
        cards.push_back(first->card);
        readyBefore = true;
    }
    int tallyAt = -1, secondAt = -1, clearAt = -1;
    std::string scoreAtTally;
    int optionsAtTally = -1, optionsAfter = -1;
    while (!sim.Over() && sim.Steps() < 60 * 60 * 40) {
        sim.Step(bot.Play(sim.GetWorld()));
        const int number = sim.App().Play().StageNumber();
        const GetReady* ready = Find<GetReady>(sim);
        if (ready && !readyBefore) cards.push_back(ready->card);
        readyBefore = ready != nullptr;
        stagesPlayed.insert(number);
        if (tallyAt < 0 && sim.App().Scenes().Has(SceneKind::StageTally)) {
            tallyAt = sim.Steps();
            scoreAtTally = sim.GetWorld().GetScore().Text();
            EXPECT_LT(sim.Reached().gameClear, 0) << "no ending between stages";
            if (const PlayerShip* ship = sim.GetWorld().GetPlayer())
                optionsAtTally = ship->optionCount;
        }
        if (secondAt < 0 && number == 1) {
            secondAt = sim.Steps();
            // Not afresh: what the tally's last items brought comes on top.
            EXPECT_GE(sim.GetWorld().GetScore().Text(), scoreAtTally) << "the score carries on";
            EXPECT_GT(scoreAtTally, std::string(12, '0'));
        }
        if (secondAt > 0 && optionsAfter < 0 && sim.GetWorld().GetPlayer())
            optionsAfter = sim.GetWorld().GetPlayer()->optionCount;
        if (clearAt < 0 && sim.Reached().gameClear > 0) clearAt = sim.Steps();
    }
    EXPECT_GT(tallyAt, sim.Reached().bossEntry) << "the tally follows the first boss";
    EXPECT_GT(secondAt, tallyAt);
    EXPECT_EQ(stagesPlayed.size(), chosen.chain.size());
    EXPECT_EQ(cards, chosen.chainNames) << "each stage's name as it starts";
    EXPECT_GT(clearAt, secondAt) << "the ending after the last stage";
    EXPECT_EQ(optionsAfter, optionsAtTally) << "the options carry on";
    ASSERT_NE(sim.App().LastGame(), nullptr);
    const Replay kept = *sim.App().LastGame();
    EXPECT_EQ(kept.stageFile, "game:all");

    Simulation again(MediaDir());
    ASSERT_EQ(again.PlayReplay(kept), "");
    // The playback bar marks every stage's sections, the second's after the tally.
    ASSERT_NE(again.App().Viewing(), nullptr);
    const std::vector<long> marks = again.App().Viewing()->Marks();
    std::size_t sections = 0;
    for (const std::string& path : chosen.chain)
        sections += again.App().Play().StageIn(path).PracticeStarts().size();
    EXPECT_EQ(marks.size(), sections);
    EXPECT_GT(marks.back(), tallyAt);
    while (!again.Over() && again.Steps() < 60 * 60 * 40)
        again.Step();
    EXPECT_TRUE(again.App().ReplayMatched());
    EXPECT_EQ(again.GetWorld().GetScore().Text(), kept.score);

    // Seeking crosses the stages both ways, and the game can be taken over in
    // a later stage, which plays on from there.
    Simulation viewer(MediaDir());
    ASSERT_EQ(viewer.PlayReplay(kept), "");
    Playback& watching = *viewer.App().Viewing();
    // The third stage's first mark comes after the first two stages' sections.
    std::size_t third = 0;
    for (std::size_t stage = 0; stage < 2; ++stage)
        third += again.App().Play().StageIn(chosen.chain[stage]).PracticeStarts().size();
    watching.SeekTo(marks[third] + 60);
    EXPECT_EQ(viewer.App().Play().StageNumber(), 2);
    watching.SeekTo(marks[1]);
    EXPECT_EQ(viewer.App().Play().StageNumber(), 0);
    watching.SeekTo(marks[third] + 60);
    ASSERT_EQ(viewer.App().Play().StageNumber(), 2);
    viewer.App().OnKeyPressed(scancode::kReturn);
    viewer.Step();
    EXPECT_TRUE(viewer.App().TookOver());
    for (int i = 0; i < 600; ++i)
        viewer.Step(bot.Play(viewer.GetWorld()));
    EXPECT_EQ(viewer.App().Play().StageNumber(), 2);
    EXPECT_NE(viewer.GetWorld().GetPlayer(), nullptr) << "the player plays on in the third stage";
}

// --stage names a file first, then one of the game's own stages by its name in
// any case, then all of them; the game and the simulator read it alike.
TEST(WholeGame, TheCommandLineNamesAStageOfTheGameOrAllOfThem) {
    std::vector<std::string> said;
    auto say = [&](const std::string& line) { said.push_back(line); };
    const NamedStage third = StageNamed("Third Stage", MediaDir(), say);
    EXPECT_TRUE(third.stage.ends_with("/stage3.txt")) << third.stage;
    EXPECT_FALSE(third.wholeGame);
    const NamedStage all = StageNamed("ALL", MediaDir(), say);
    EXPECT_TRUE(all.wholeGame);
    EXPECT_EQ(all.stage, "");
    const std::string gauntlet = std::string(VELMORA_TEST_DATA) + "/stages/gauntlet.txt";
    EXPECT_EQ(StageNamed(gauntlet, MediaDir(), say).stage, gauntlet);
    EXPECT_EQ(StageNamed("no such stage", MediaDir(), say).stage, "no such stage")
        << "left for the file check to refuse";
    EXPECT_EQ(said, std::vector<std::string>{});
}
