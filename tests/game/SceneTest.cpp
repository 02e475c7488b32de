// The game's flow from the title through a stage to its end, step by step.
#include <algorithm>
#include <limits>

#include <gtest/gtest.h>

#include "game/Scenes.h"
#include "support/FakeVideo.h"
#include "support/GameFixture.h"
#include "world/PlayerShip.h"

#include <fstream>

namespace {

class FlowFixture : public GameFixture {
protected:
    explicit FlowFixture(const std::string& stage = "") : GameFixture(WithVideo(), stage) {}
    static HeadlessPlatform::Options WithVideo() {
        HeadlessPlatform::Options options;
        options.makeVideoPlayer = [](auto&&...) { return std::make_unique<FakeVideo>(); };
        return options;
    }
    FakeVideo& Video() { return *static_cast<FakeVideo*>(platform.video); }

    template <class T>
    T* Find() {
        for (Scene* s : Each<Scene>(app.ScenePool())) {
            if (auto* t = dynamic_cast<T*>(s)) return t;
        }
        return nullptr;
    }
    // Presses and lets go of a key, one step each.
    void Press(Hold key) {
        Step(Pad({key}));
        Step();
    }
    SilentMusic& Music() { return *platform.music; }
    // The quads drawn in a frame at a height, left to right.
    std::vector<RecordingBackend::QuadDraw> QuadsAt(float y) {
        Backend().Forget();
        app.Render();
        std::vector<RecordingBackend::QuadDraw> row;
        for (const auto& q : Backend().quadDraws)
            if (q.y == y) row.push_back(q);
        return row;
    }
};

struct TitleFixture : FlowFixture {
    TitleFixture() { app.ShowTitle(); }
    TitleMenu& Menu() { return *Find<TitleMenu>(); }
};

struct StageFixture : FlowFixture {
    StageFixture() : FlowFixture("play 0\nsleep 60\nplay 4\nfadeout 60\nsleep 100\ngameover\n") {}
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
    EXPECT_EQ(Menu().cursor, 0);
    Press(Hold::Down);
    Step(Pad({Hold::Down, Hold::Fire}));  // moves to the video sound, then switches it
    EXPECT_EQ(Menu().cursor, 2);
    EXPECT_TRUE(app.Video().IsSoundOn());
    // The frame drawn right after shows the new state: "ON" has a glyph less than "OFF".
    EXPECT_EQ(QuadsAt(240.0f + 64.0f).size(), std::string("VIDEOSOUNDON").size());
    Step();
    Step(Pad({Hold::Pause}));  // C confirms too
    EXPECT_FALSE(app.Video().IsSoundOn());
    for (int i = 0; i < 5; ++i)
        Press(Hold::Down);
    EXPECT_EQ(Menu().cursor, 3);
    size_t pending = platform.window->Pending();
    Step(Pad({Hold::Fire}));
    EXPECT_EQ(platform.window->Pending(), pending + 1);  // EXIT ends the main loop
}

TEST_F(TitleFixture, TheMenuIsDrawnUnderTheHeadUpDisplay) {
    auto items = QuadsAt(240.0f);
    ASSERT_EQ(items.size(), 5u);  // START
    EXPECT_EQ(items[0].x, 640 / 2 - 64);
    EXPECT_EQ(items[0].color, 0xFFFFFFFFu);
    EXPECT_EQ(QuadsAt(240.0f + 96.0f).front().color, 0xFF404040u);
    // The head-up display: two spare lives at the top right, the score at 50.
    auto top = QuadsAt(0.0f);
    EXPECT_EQ(std::count_if(top.begin(), top.end(), [](auto& q) { return q.x >= 500; }), 2);
    EXPECT_EQ(std::count_if(top.begin(), top.end(), [](auto& q) { return q.x >= 50 && q.x < 146; }),
              12);
}

TEST_F(StageFixture, GetReadyShowsFor51UpdatesAndTheStageStartsInTheLast) {
    app.StartGame();
    Steps(50);
    EXPECT_NE(Find<GetReady>(), nullptr);
    EXPECT_EQ(QuadsAt(240.0f).front().x, 640 / 2 - 32);
    EXPECT_TRUE(Music().opened.empty());
    Step();
    EXPECT_EQ(Find<GetReady>(), nullptr);
    EXPECT_NE(Find<StageRunner>(), nullptr);
    ASSERT_EQ(Music().opened.size(), 1u);
    EXPECT_EQ(Music().opened[0], media.ExeDir() + "Media/Music/qz_disky.mid");
}

TEST_F(StageFixture, PauseHoldsTheFieldTheStageAndTheMusicUntilPressedAgain) {
    Begin();
    Step(Pad({Hold::Pause}));
    float y = world.GetPlayer()->y;
    ASSERT_NE(Find<Pause>(), nullptr);
    EXPECT_TRUE(world.IsPaused());
    EXPECT_EQ(Music().pauses, 1);
    EXPECT_EQ(QuadsAt(240.0f).front().x, 480 / 2 - 40);
    Steps(99, Pad({Hold::Pause}));  // held: still paused
    Steps(5);
    EXPECT_TRUE(world.IsPaused());
    EXPECT_EQ(world.GetPlayer()->y, y);
    Step(Pad({Hold::Pause}));
    EXPECT_FALSE(world.IsPaused());
    EXPECT_EQ(Find<Pause>(), nullptr);
    Steps(3, Pad({Hold::Pause}));  // the key that closed it does not open it again
    EXPECT_FALSE(world.IsPaused());
    // The 60-frame sleep stood still for the 105 paused steps.
    EXPECT_EQ(Music().opened.size(), 1u);
    Steps(60 - 3 - 1);
    EXPECT_EQ(Music().opened.size(), 1u);
    Step();
    ASSERT_EQ(Music().opened.size(), 2u);
    EXPECT_EQ(Music().opened[1], media.ExeDir() + "Media/Music/qz_bossbattle1.mid");
}

TEST_F(StageFixture, AFadeSetsItsVolumesOnePerFrameFromTheFrameOfItsCommand) {
    Begin();
    Steps(59);
    Music().levels.clear();
    Step();  // play 4 (full volume), then the fade's first level
    int opening = static_cast<int>(Music().levels.size()) - 1;
    EXPECT_GE(opening, 1);
    Steps(59);
    std::vector<int> fade(Music().levels.begin() + opening, Music().levels.end());
    ASSERT_EQ(fade.size(), 60u);
    EXPECT_EQ(std::vector<int>(fade.begin(), fade.begin() + 3), (std::vector<int>{0, -7, -14}));
    EXPECT_EQ(fade[57], -1469);
    EXPECT_EQ(fade[58], -1770);
    EXPECT_EQ(fade[59], -10000);
    EXPECT_EQ(Find<MusicFade>(), nullptr);
}

TEST_F(FlowFixture, AFadeOfOneFrameOrLessLeavesFullVolumeAndEnds) {
    for (int frames : {1, 0, -5, std::numeric_limits<int>::min()}) {
        app.CreateScene<MusicFade>(frames, 1.0f, 0.0f);
        Music().levels.clear();
        Steps(3);
        EXPECT_EQ(Music().levels, (std::vector<int>{0})) << frames;
        EXPECT_EQ(Find<MusicFade>(), nullptr) << frames;
    }
}

TEST_F(StageFixture, GameOverReturnsToTheTitleAfter151Updates) {
    Begin();
    Steps(60 + 100);
    GameOver* over = Find<GameOver>();
    ASSERT_NE(over, nullptr);
    EXPECT_TRUE(over->newHighScore);  // 0 against 0 is a tie with the best
    world.SetBossGauge(0.5f);         // lost to the boss: the title shows no gauge
    auto row = QuadsAt(240.0f);
    EXPECT_TRUE(std::any_of(row.begin(), row.end(), [](auto& q) { return q.x == 128; }));
    FakeVideo& video = Video();
    video.position = 3.0;
    int stops = video.stops;
    Steps(149);
    EXPECT_NE(Find<GameOver>(), nullptr);
    EXPECT_NE(world.GetPlayer(), nullptr);  // the field plays on meanwhile
    Step();
    EXPECT_EQ(video.stops, stops + 1);
    EXPECT_EQ(video.position, 0.0);
    EXPECT_EQ(app.ScenePool().Count(), 1);
    EXPECT_NE(Find<TitleMenu>(), nullptr);
    EXPECT_EQ(world.playerPool.Count() + world.backgroundPool.Count(), 0);
    EXPECT_EQ(world.GetBossGauge(), 0.0f);
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

TEST_F(FlowFixture, TheWarningBlinksInSixTenUpdatePhases) {
    app.CreateScene<Warning>();
    std::vector<int> shown;
    for (int i = 1; i <= 120; ++i) {
        Step();
        auto row = QuadsAt(640 / 2 - 32 + 2);
        if (!row.empty()) {
            EXPECT_EQ(row.front().x, 200 + 2);
            shown.push_back(i);
        }
    }
    ASSERT_EQ(shown.size(), 60u);  // 10-19, 30-39, ..., 110-119
    EXPECT_EQ(shown.front(), 10);
    EXPECT_EQ(shown.back(), 119);
    EXPECT_EQ(Find<Warning>(), nullptr);
}

TEST_F(FlowFixture, TheEndingPlaysItsPieceOverTheStoppedVideoAndShowsTheCredits) {
    app.Video().ToggleSound();
    world.Flow().BossFightEnded();
    auto* clear = Find<GameClear>();
    ASSERT_NE(clear, nullptr);
    EXPECT_TRUE(app.Play().EndingMusicOn());
    ASSERT_EQ(Music().opened.size(), 1u);
    EXPECT_EQ(Music().opened[0], media.ExeDir() + "Media/Music/qz_megami(or).mid");
    EXPECT_EQ(Video().stops, 1);
    clear->counter = 2500;
    auto row = QuadsAt(480 / 2 + 32 + 2);
    ASSERT_FALSE(row.empty());
    EXPECT_EQ(row.front().x, 480 / 2 - 88 + 2);
    clear->counter = 8000;
    EXPECT_FALSE(QuadsAt(480 / 2 + 64 + 2).empty());
}

TEST_F(FlowFixture, MusicNumbersOutsideTheTableAreIgnored) {
    EXPECT_FALSE(Session::MusicPiece(8));
    EXPECT_FALSE(Session::MusicPiece(-1));
    EXPECT_TRUE(Session::MusicPiece(7));
}

TEST_F(FlowFixture, TheGaugeIsAsLongAsTheScreenIsHighAndNoSpareLivesShowAtOne) {
    world.SetBossGauge(0.5f);
    world.LoseLife();
    world.LoseLife();
    Backend().Forget();
    app.Render();
    const auto& quads = Backend().quadDraws;
    EXPECT_EQ(quads[0].y, 10.0f);
    EXPECT_EQ(quads[0].color, 0x80404040u);
    EXPECT_EQ(quads[1].y, 8.0f);
    EXPECT_EQ(quads[1].color, 0xFFFF0000u);
    EXPECT_TRUE(std::none_of(quads.begin(), quads.end(), [](auto& q) { return q.x >= 500; }));
}

TEST_F(FlowFixture, TheHighScoreIsReadAtStartAndKeptAtTheEnd) {
    std::ofstream(media.Root() / "Media" / "option.ini") << "HighScore=000000004000\n";
    {
        HeadlessPlatform::Options options;
        options.exeDir = media.ExeDir();
        options.saveDir = media.ExeDir() + "Media/";
        HeadlessPlatform second(options);
        GameApp game(second);
        EXPECT_EQ(game.Play().Field().GetHighScore().Text(), "000000004000");
        game.Play().Field().AddScore(5000);
    }
    std::ifstream in(media.Root() / "Media" / "option.ini");
    std::string line, rest;
    std::getline(in, line);
    EXPECT_EQ(line, "HighScore=000000005000");
    EXPECT_FALSE(std::getline(in, rest));
}

struct BossStageFixture : FlowFixture {
    BossStageFixture() : FlowFixture("teki boss 0\nplay 4\n") {}
};

TEST_F(BossStageFixture, TheBossHoldsTheStageWarnsAndItsEndStartsTheEnding) {
    app.StartGame();
    Steps(51);  // the boss's line: the stage stops there
    EXPECT_EQ(app.Play().Stage().Waiting(), -1);
    Step();  // the boss's first update: the warning
    EXPECT_NE(Find<Warning>(), nullptr);
    Steps(100);
    EXPECT_TRUE(Music().opened.empty());

    world.Flow().BossFightEnded();
    EXPECT_NE(Find<GameClear>(), nullptr);
    Music().opened.clear();
    Step();  // the stage goes on: "play 4", then the ending's own piece was opened before
    ASSERT_FALSE(Music().opened.empty());
    EXPECT_EQ(Music().opened.back(), media.ExeDir() + "Media/Music/qz_bossbattle1.mid");
}
