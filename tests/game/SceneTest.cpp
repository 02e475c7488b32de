// The game's flow from the title through a stage to its end, step by step.
#include <algorithm>
#include <fstream>
#include <limits>

#include <gtest/gtest.h>

#include "game/MenuLayout.h"
#include "support/GameFixture.h"
#include "world/BombBlast.h"
#include "world/BulletKinds.h"
#include "world/Item.h"
#include "world/PlayerShip.h"
#include "world/ScorePopup.h"

namespace {

struct TitleFixture : GameFixture {
    TitleFixture() { app.ShowTitle(); }
    TitleMenu& Menu() { return *Find<TitleMenu>(); }
    int Row() { return Menu().menu.Cursor(); }
    // Where the title draws a row.
    static float RowY(TitleRow row) {
        const MenuLayout& layout = LayoutOf(MenuScreen::Title);
        return layout.y + layout.rowHeight * static_cast<float>(row);
    }
};

struct StageFixture : GameFixture {
    StageFixture()
        : GameFixture(
              "play 9\nplay -1\nplay 0\nsleep 60\nplay 4\nfadeout 60\nsleep 100\ngameover\n") {}
    // Up to the first step of the stage.
    void Begin() {
        app.StartGame();
        Steps(51);
    }
};

}  // namespace

TEST_F(TitleFixture, KeysHeldWhenTheMenuAppearsDoNothingUntilLetGo) {
    Steps(5, Pad({Hold::Fire}));
    Steps(5, Pad({Hold::Left}));
    EXPECT_NE(Find<TitleMenu>(), nullptr);
    EXPECT_EQ(world.GetPlayer(), nullptr);
    Step();
    Step(Pad({Hold::Fire}));
    EXPECT_EQ(Find<TitleMenu>(), nullptr);
    EXPECT_NE(Find<GetReady>(), nullptr);
    EXPECT_NE(world.GetPlayer(), nullptr);
}

TEST_F(TitleFixture, TheCursorStopsAtBothEndsAndDownWithFireActsOnTheNewItem) {
    Step();
    Press(Hold::Up);
    EXPECT_EQ(Row(), 0);
    while (Row() < static_cast<int>(TitleRow::VideoSound) - 1)
        Press(Hold::Down);
    Step(Pad({Hold::Down, Hold::Fire}));  // moves to the video sound, then switches it
    EXPECT_EQ(Row(), static_cast<int>(TitleRow::VideoSound));
    EXPECT_TRUE(app.Video().IsSoundOn());
    // The frame drawn right after shows the new state: "ON" has a glyph less than "OFF".
    EXPECT_EQ(QuadsAt(RowY(TitleRow::VideoSound)).size(), std::string("VIDEOSOUNDON").size());
    Step();
    Step(Pad({Hold::Pause}));  // C confirms too
    EXPECT_FALSE(app.Video().IsSoundOn());
    Step();
    Press(Hold::Right);  // and Left and Right switch it, as they change the other values
    EXPECT_TRUE(app.Video().IsSoundOn());
    Press(Hold::Left);
    EXPECT_FALSE(app.Video().IsSoundOn());
    for (int i = 0; i < 5; ++i)
        Press(Hold::Down);
    EXPECT_EQ(Row(), static_cast<int>(TitleRow::Exit));
    EXPECT_FALSE(app.ExitStatus());
    Step(Pad({Hold::Fire}));
    EXPECT_EQ(app.ExitStatus(), 0);  // EXIT ends the main loop
}

TEST_F(TitleFixture, TheChosenItemStandsOutAndTheHeadUpDisplayShowsScoreLivesAndGauge) {
    EXPECT_EQ(QuadsAt(RowY(TitleRow::Start)).front().color, kRowChosen);
    // The others light on their shadow, legible over the planet's rim.
    EXPECT_EQ(QuadsAt(RowY(TitleRow::Exit)).front().color, LayoutOf(MenuScreen::Title).other);
    EXPECT_FALSE(QuadsAt(RowY(TitleRow::Exit) + 2).empty());
    auto spareLives = [&] {
        auto top = QuadsAt(0.0f);
        return std::count_if(top.begin(), top.end(), [](auto& q) { return q.x >= kHud.lives.x; });
    };
    auto top = QuadsAt(kHud.score.y);
    EXPECT_EQ(
        std::count_if(
            top.begin(), top.end(),
            [](auto& q) { return q.x >= kHud.score.x && q.x < kHud.score.x + 12 * kGlyphAdvance; }),
        12);
    EXPECT_EQ(spareLives(), 2);
    world.LoseLife();
    world.LoseLife();
    EXPECT_EQ(spareLives(), 0);  // the ship in play is not counted
    world.BossFightAt(0).gauge = 0.5f;
    EXPECT_EQ(QuadsAt(kHud.gauge.y).front().color, 0xFFFF0000u);

    // The switches that are on say so: a frozen game never looks hung.
    app.GetFrameClock().catchUp = false;
    const std::size_t freezeRow = QuadsAt(kHud.freeze.y + 2).size();
    const std::size_t catchUpRow = QuadsAt(kHud.catchUp.y + 2).size();
    world.SetHalted(true);
    app.GetFrameClock().catchUp = true;
    EXPECT_EQ(QuadsAt(kHud.freeze.y + 2).size(), freezeRow + std::string("FREEZE").size());
    EXPECT_EQ(QuadsAt(kHud.catchUp.y + 2).size(), catchUpRow + std::string("CATCHUP").size());
}

TEST_F(StageFixture, PauseHoldsTheFieldTheStageAndTheMusicUntilPressedAgain) {
    Begin();
    auto* bullet =
        world.Spawn<AngleBullet>(world.BulletTable(), 0, 30.0f, -40.0f, 0.25f, 1.0f, 0.0f);
    Step(Pad({Hold::Pause}));
    float y = world.GetPlayer()->y, bulletY = bullet->y;
    ASSERT_NE(Find<Pause>(), nullptr);
    EXPECT_TRUE(world.IsPaused());
    EXPECT_EQ(Music().pauses, 1);
    Steps(99, Pad({Hold::Pause}));  // held: still paused
    Steps(5, Pad({Hold::Left}));
    EXPECT_TRUE(world.IsPaused());
    EXPECT_EQ(world.GetPlayer()->y, y);
    EXPECT_EQ(world.GetPlayer()->x, 0.0f);
    EXPECT_EQ(bullet->y, bulletY);
    int plays = Music().plays;
    Step(Pad({Hold::Pause}));
    EXPECT_FALSE(world.IsPaused());
    EXPECT_EQ(Find<Pause>(), nullptr);
    EXPECT_EQ(Music().plays, plays + 1);
    Steps(3, Pad({Hold::Pause}));  // the key that closed it does not open it again
    EXPECT_FALSE(world.IsPaused());
    EXPECT_GT(bullet->y, bulletY);
    // The 60-frame sleep stood still for the 105 paused steps.
    EXPECT_EQ(Music().opened.size(), 1u);
    Steps(60 - 3 - 1);
    EXPECT_EQ(Music().opened.size(), 1u);
    Step();
    ASSERT_EQ(Music().opened.size(), 2u);
    EXPECT_EQ(Music().opened[1], media.ExeDir() + "Media/Music/qz_bossbattle1.mid");
}

// Esc in a game is the pause key: it pauses and resumes. Leaving the game from
// the pause menu, to the title or out of the program, asks first, and Esc
// then takes the question back.
TEST_F(StageFixture, EscPausesAndTheGameIsLeftOnlyAfterAQuestion) {
    Begin();
    app.OnEscape();
    Step();
    ASSERT_NE(Find<Pause>(), nullptr);
    EXPECT_TRUE(world.IsPaused());
    Step();  // a frame or more between two presses, as a hand makes them
    app.OnEscape();
    Step();
    EXPECT_EQ(Find<Pause>(), nullptr);
    EXPECT_FALSE(world.IsPaused());

    Step();
    app.OnEscape();
    Step();
    Step();
    for (int i = 0; i < 2; ++i) {
        Step(Pad({Hold::Down}));
        Step();
    }
    Step(Pad({Hold::Fire}));  // QUIT GAME
    Step();
    ASSERT_NE(Find<Pause>(), nullptr);
    EXPECT_EQ(Find<Pause>()->confirming, 2);
    app.OnEscape();  // no, after all
    Step();
    EXPECT_EQ(Find<Pause>()->confirming, 0);
    EXPECT_TRUE(world.IsPaused());
    EXPECT_FALSE(app.ExitStatus());
    Step();
    Step(Pad({Hold::Fire}));
    Step();
    Step(Pad({Hold::Down}));  // YES
    Step();
    Step(Pad({Hold::Fire}));
    EXPECT_EQ(app.ExitStatus(), 0);
}

// The ending pauses like play, and the pause menu skips the rest of it after
// a question; the results follow as after any game.
TEST_F(StageFixture, TheEndingPausesAndCanBeSkipped) {
    Begin();
    app.Play().ClearStage(MusicRef("qz_megami(or)"));
    GameClear* ending = Find<GameClear>();
    ASSERT_NE(ending, nullptr);
    Steps(10);
    const int counted = ending->counter;
    Step(Pad({Hold::Pause}));
    Step();
    ASSERT_NE(Find<Pause>(), nullptr);
    Steps(30);
    EXPECT_EQ(ending->counter, counted);  // held with the field
    Step(Pad({Hold::Down}));              // SKIP THE ENDING
    Step();
    Step(Pad({Hold::Fire}));
    Step();
    EXPECT_EQ(Find<Pause>()->confirming, 1);
    EXPECT_NE(Find<GameClear>(), nullptr);  // asked first
    Step(Pad({Hold::Down}));                // YES
    Step();
    Step(Pad({Hold::Fire}));
    Step();
    EXPECT_EQ(Find<GameClear>(), nullptr);
    EXPECT_NE(Find<TitleMenu>(), nullptr);
    ASSERT_NE(Find<Results>(), nullptr);
    EXPECT_EQ(Find<Results>()->result.reached, "CLEAR");
}

// The written behaviour is a setting away: Esc quits from a game at once.
TEST(EscQuits, TheSettingMakesEscQuitAGameAtOnce) {
    TestMedia media("play 0\nsleep 600\n");
    HeadlessPlatform::Options options;
    options.exeDir = media.ExeDir();
    HeadlessPlatform platform(options);
    GameStart start;
    start.settings.escQuits = true;
    GameApp app(platform, start);
    app.StartGame();
    for (int i = 0; i < 60; ++i)
        app.Update();
    app.OnEscape();
    EXPECT_EQ(app.ExitStatus(), 0);
}

// Pieces 9 and -1 do not exist: the stage goes on without them.
TEST_F(StageFixture, AGameRunsFromGetReadyThroughItsFadeAndGameOverBackToTheTitle) {
    app.StartGame();
    Steps(50);
    EXPECT_NE(Find<GetReady>(), nullptr);
    EXPECT_TRUE(Music().opened.empty());
    Step();  // the stage's first step
    EXPECT_NE(Find<StageRunner>(), nullptr);
    EXPECT_EQ(Music().opened, std::vector{media.ExeDir() + "Media/Music/qz_disky.mid"});

    Steps(59);
    Music().levels.clear();
    Step();  // play 4 at full volume, then the fade's first level in the same frame
    ASSERT_GE(Music().levels.size(), 2u);
    size_t before = Music().levels.size() - 1;
    Steps(59);
    std::vector<int> fade(Music().levels.begin() + before, Music().levels.end());
    ASSERT_EQ(fade.size(), 60u);
    EXPECT_EQ(fade.front(), 0);  // full volume, in hundredths of a decibel
    EXPECT_TRUE(std::is_sorted(fade.rbegin(), fade.rend()));
    EXPECT_LT(fade[30], 0);
    EXPECT_EQ(fade.back(), -10000);  // silent
    EXPECT_EQ(Find<MusicFade>(), nullptr);

    Steps(41);
    GameOver* over = Find<GameOver>();
    ASSERT_NE(over, nullptr);
    EXPECT_TRUE(over->newHighScore);    // 0 against 0 is a tie with the best
    world.BossFightAt(0).gauge = 0.5f;  // lost to the boss: the title shows no gauge
    Video().position = 3.0;
    int videoStops = Video().stops;
    Steps(149, Pad({Hold::Fire}));
    EXPECT_NE(Find<GameOver>(), nullptr);
    EXPECT_NE(world.GetPlayer(), nullptr);  // the field plays on meanwhile
    world.Spawn<TestEnemy>(0.0f, -30.0f);
    world.Spawn<AngleBullet>(world.BulletTable(), 0, 30.0f, -40.0f, 0.25f, 1.0f, 0.0f);
    world.Spawn<ScoreItem>(0.0f, 0.0f);
    world.Spawn<ScreenBomb>();
    world.Spawn<ScorePopup>(0.0f, 0.0f, 10);
    int musicStops = Music().stops;
    Step();
    EXPECT_EQ(Video().stops, videoStops + 1);
    EXPECT_EQ(Video().position, 0.0);
    for (const ObjectPool* pool : world.Pools())
        EXPECT_EQ(pool->Count(), 0);
    // The title, with the game's results over it.
    ASSERT_EQ(app.Scenes().Count(), 2);
    EXPECT_NE(Find<TitleMenu>(), nullptr);
    EXPECT_NE(Find<Results>(), nullptr);
    EXPECT_EQ(world.GetPlayer(), nullptr);
    EXPECT_EQ(world.BossFightAt(0).gauge, 0.0f);
    EXPECT_EQ(Music().stops, musicStops + 1);
    EXPECT_EQ(Music().position, 0.0);
    Step();
    EXPECT_EQ(Music().stops, musicStops + 1);  // once only
}

TEST_F(GameFixture, AFadeOfOneFrameOrLessLeavesFullVolumeAndEnds) {
    for (int frames : {1, 0, -5, std::numeric_limits<int>::min()}) {
        app.CreateScene<MusicFade>(frames, 1.0f, 0.0f);
        Music().levels.clear();
        Steps(3);
        EXPECT_EQ(Music().levels, (std::vector<int>{0})) << frames;
        EXPECT_EQ(Find<MusicFade>(), nullptr) << frames;
    }
}

TEST_F(StageFixture, AReturnToTheTitleDuringAPauseLeavesTheTitleSilent) {
    Begin();
    ASSERT_TRUE(Music().running);
    Step(Pad({Hold::Pause}));
    ASSERT_FALSE(Music().running);
    app.RequestReturnToTitle();  // as the game over does, paused or not
    Step(Pad({Hold::Pause}));
    EXPECT_FALSE(world.IsPaused());
    EXPECT_NE(Find<TitleMenu>(), nullptr);
    EXPECT_FALSE(Music().running);
    Steps(5);
    EXPECT_FALSE(Music().running);
}

TEST_F(GameFixture, TheWarningBlinksForTwoSecondsThenGoes) {
    app.CreateScene<Warning>();
    int shown = 0, changes = 0;
    bool was = false;
    for (int i = 0; i < 120; ++i) {
        Step();
        bool now = !QuadsAt(kSceneTexts.warning.y + 2).empty();
        shown += now;
        changes += now != was;
        was = now;
    }
    EXPECT_EQ(shown, 60);
    EXPECT_GE(changes, 10);
    EXPECT_EQ(Find<Warning>(), nullptr);
}

TEST_F(GameFixture, TheHighScoreIsReadAtStartAndKeptAtTheEnd) {
    std::ofstream(media.Root() / "Media" / "option.ini") << "HighScore=000000004000\n";
    {
        HeadlessPlatform::Options options;
        options.exeDir = media.ExeDir();
        options.saveDir = media.ExeDir() + "Media/";
        HeadlessPlatform second(options);
        GameApp game(second);
        EXPECT_EQ(game.Play().Field().GetHighScore().Text(), "000000004000");
        game.StartGame();  // and the program is left in the middle of it
        game.Play().Field().AddScore(5000);
    }
    std::ifstream in(media.Root() / "Media" / "option.ini");
    std::string line, rest;
    std::getline(in, line);
    EXPECT_EQ(line, "HighScore=000000005000");
    EXPECT_FALSE(std::getline(in, rest));
}

struct BossStageFixture : GameFixture {
    BossStageFixture() : GameFixture("teki boss 0\nplay 4\n") {}
};

TEST_F(BossStageFixture, TheBossHoldsTheStageWarnsAndItsEndStartsTheEndingOverTheStoppedVideo) {
    app.StartGame();
    Steps(51);  // the boss's line: the stage stops there
    EXPECT_EQ(app.Play().Stage().Waiting(), -1);
    Step();  // the boss's first update: the warning
    EXPECT_NE(Find<Warning>(), nullptr);
    Steps(100);
    EXPECT_TRUE(Music().opened.empty());

    int stops = Video().stops;
    world.Flow().BossFightEnded();
    auto* clear = Find<GameClear>();
    ASSERT_NE(clear, nullptr);
    EXPECT_TRUE(app.Play().EndingMusicOn());
    EXPECT_EQ(Music().opened, std::vector{media.ExeDir() + "Media/Music/qz_megami(or).mid"});
    EXPECT_EQ(Video().stops, stops + 1);
    clear->counter = 2500;  // the credits
    EXPECT_FALSE(QuadsAt(kSceneTexts.endingMiddle + kSceneTexts.creditDy + 2).empty());
    clear->counter = 8000;
    EXPECT_FALSE(QuadsAt(kSceneTexts.endingMiddle + kSceneTexts.challengeDy + 2).empty());
    Step();  // the stage goes on: "play 4"
    EXPECT_EQ(Music().opened.back(), media.ExeDir() + "Media/Music/qz_bossbattle1.mid");
}
