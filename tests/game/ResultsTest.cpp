// What a game comes to: the tally after it, the player's name asked once, the
// table of the ten best games kept in the player's folder and merged with
// another game's, the HIGH SCORES screen; and HOW TO PLAY before a new
// player's first game.
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "app/SettingsFile.h"
#include "game/NameEntry.h"
#include "game/ScoreTable.h"
#include "support/TempDir.h"
#include "support/TitleGame.h"

namespace fs = std::filesystem;

namespace {

std::string Score(int n) {
    std::string digits = std::to_string(n);
    return std::string(12 - digits.size(), '0') + digits;
}

ScoreEntry Game(int score, const char* name = "ANN", const char* date = "2026-12-09") {
    return {Score(score), date, "THE CHAIN", name};
}

std::string Text(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(ScoreTable, KeepsTheTenBestOfEachKeyBestFirstAndTheEarlierOfATie) {
    TempDir dir("scores");
    const std::string path = (dir.Path() / "scores.txt").string();
    ScoreTable table(path);
    for (int i = 1; i <= 10; ++i)
        EXPECT_GE(table.Enter("abc.easy", Game(i * 100)), 0);
    EXPECT_FALSE(table.Makes("abc.easy", Score(100)));  // a tie with the last is no place
    EXPECT_EQ(table.Enter("abc.easy", Game(50)), -1);
    EXPECT_EQ(table.Enter("abc.easy", Game(550, "BEN", "2026-12-10")), 5);
    EXPECT_EQ(table.Enter("abc.easy", Game(550, "CY", "2026-12-11")), 6);  // after the earlier
    EXPECT_EQ(table.Enter("abc.hard", Game(1)), 0);     // another level is another table
    EXPECT_FALSE(table.Makes("abc.normal", Score(0)));  // nothing scored makes no table
    std::vector<ScoreEntry> top = table.Top("abc.easy");
    ASSERT_EQ(top.size(), 10u);
    EXPECT_EQ(top.front().score, Score(1000));
    EXPECT_EQ(top[5].name, "BEN");
    EXPECT_EQ(top.back().score, Score(300));
    // Read again as the next run reads it.
    EXPECT_EQ(ScoreTable(path).Top("abc.easy"), top);
    EXPECT_EQ(ScoreTable(path).Top("abc.hard").size(), 1u);
}

// Two games running at once each keep their own games; lines that are no
// game (a comment, one spoilt by hand) stay as they were.
TEST(ScoreTable, TwoGamesAtOnceMergeAndLinesThatAreNoGameStay) {
    TempDir dir("scores");
    const fs::path path = dir.Path() / "scores.txt";
    std::ofstream(path) << "# mine\nabc.easy\t12\t2026-01-01\tX\tY\n";
    ScoreTable first(path.string()), second(path.string());
    EXPECT_EQ(first.Enter("abc.easy", Game(300, "ANN")), 0);
    EXPECT_EQ(second.Enter("abc.easy", Game(200, "BEN")), 1);  // it sees the first's game
    EXPECT_EQ(first.Enter("abc.easy", Game(100, "ANN")), 2);
    std::vector<ScoreEntry> top = ScoreTable(path.string()).Top("abc.easy");
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[1].name, "BEN");
    const std::string text = Text(path);
    EXPECT_NE(text.find("# mine\n"), std::string::npos) << text;
    EXPECT_NE(text.find("abc.easy\t12\t2026-01-01\tX\tY\n"), std::string::npos) << text;
}

// A table that is there but cannot be read whole is never replaced; the
// run's games count in memory.
TEST(ScoreTable, AFileThatCannotBeReadWholeIsNeverReplaced) {
    TempDir dir("scores");
    const fs::path big = dir.Path() / "big.txt";
    {
        std::ofstream out(big);
        out << std::string(3 << 20, 'x');
    }
    ScoreTable table(big.string());
    EXPECT_EQ(table.Enter("abc.easy", Game(10)), 0);
    EXPECT_EQ(fs::file_size(big), 3u << 20);
    const fs::path folder = dir.Path() / "folder";
    fs::create_directories(folder);
    ScoreTable inFolder(folder.string());
    EXPECT_EQ(inFolder.Enter("abc.easy", Game(10)), 0);
    EXPECT_TRUE(fs::is_directory(folder));
    ScoreTable none("");  // no folder to keep it in
    EXPECT_EQ(none.Enter("abc.easy", Game(10)), 0);
}

TEST(ScoreTable, NamesAreKeptAsTheFontDrawsThem) {
    EXPECT_EQ(TableName("  ann-marie o'neil "), "ANN-MARIE");
    EXPECT_EQ(TableName("j\tk\x1b[2J"), "JK2J");
    EXPECT_EQ(TableName("\xc3\xa9lodie"), "LODIE");
    EXPECT_EQ(TableName("   "), "");
}

// Up and Down turn the letter, Right past the end adds one, the hover
// button takes one out, fire takes the name; a key held acts once.
TEST(NameEntry, TypesANameWithThePadAsArcadesDo) {
    NameEntry entry("ann");
    EXPECT_EQ(entry.Typed(), "ANN");
    EXPECT_FALSE(entry.Read(Pad({Hold::Fire})));  // held as it appeared
    EXPECT_FALSE(entry.Read(Pad()));
    auto press = [&](Hold key) {
        bool taken = entry.Read(Pad({key}));
        entry.Read(Pad());
        return taken;
    };
    press(Hold::Up);
    EXPECT_EQ(entry.Typed(), "ANO");
    press(Hold::Right);
    press(Hold::Down);
    EXPECT_EQ(entry.Typed(), "ANON");
    EXPECT_FALSE(entry.Read(Pad({Hold::Down})));
    EXPECT_FALSE(entry.Read(Pad({Hold::Down})));  // still held: once only
    EXPECT_EQ(entry.Typed(), "ANOM");
    entry.Read(Pad());
    press(Hold::Left);
    press(Hold::Hover);
    EXPECT_EQ(entry.Typed(), "ANM");
    for (int i = 0; i < 20; ++i)
        press(Hold::Right);
    EXPECT_EQ(entry.Typed().size(), kMaxPlayerName);
    EXPECT_TRUE(press(Hold::Fire));
    EXPECT_EQ(NameEntry("").Typed(), "A");
}

namespace {

struct PlayerGame : TitleGame {
    PlayerGame(const TestMedia& media, const fs::path& user)
        : TitleGame(media, Started(user), user), settingsPath((user / "settings.ini").string()) {}
    static GameStart Started(const fs::path& user) {
        GameStart start;
        start.settingsPath = (user / "settings.ini").string();
        start.settings = LoadSettings(start.settingsPath, NumberedKeyNames()).settings;
        return start;
    }
    void EndGameWith(int score) {
        app->Play().Field().AddScore(score);
        app->RequestReturnToTitle();
        Step();
    }
    Settings Kept() const { return LoadSettings(settingsPath, NumberedKeyNames()).settings; }
    std::string settingsPath;
};

constexpr const char* kStage =
    "stage Short\nsection ONE\nplay 0\nsleep 100\nsection TWO\nsleep 9999\n";

}  // namespace

TEST(ResultsFlow, HowToPlayComesOnceThenEveryGameEndsInItsTallyAndTable) {
    TestMedia media(kStage);
    TempDir user("results");
    setenv("USER", "tester", 1);
    {
        PlayerGame game(media, user.Path());
        game.Step();
        game.Press(Hold::Fire);  // START: a new player reads how to play first
        HowToPlay* how = game.Find<HowToPlay>();
        ASSERT_NE(how, nullptr);
        EXPECT_TRUE(game.Kept().shownHowToPlay);
        EXPECT_EQ(how->Lines().size(), 3u);
        game.Press(Hold::Right);
        EXPECT_EQ(how->page, 1);
        // The keys as bound.
        std::string focus = "HOLD ";
        focus.append(FirstKeyCap(game.app->Options(), KeyAction::Focus)).append(" TO MOVE SLOWLY");
        EXPECT_EQ(how->Lines().front(), focus);
        game.Press(Hold::Hover);  // straight to the game
        EXPECT_EQ(game.Find<HowToPlay>(), nullptr);
        EXPECT_TRUE(game.app->Play().Recording());
        for (int i = 0; i < 200; ++i)
            game.Step();
        game.EndGameWith(4200);

        Results* results = game.Find<Results>();
        ASSERT_NE(results, nullptr);
        ASSERT_NE(game.Find<TitleMenu>(), nullptr);
        EXPECT_EQ(results->result.score, Score(4200));
        EXPECT_EQ(results->result.reached, "TWO");
        EXPECT_GE(results->result.steps, 200);
        EXPECT_TRUE(results->result.makesTable);
        const int row = game.Find<TitleMenu>()->menu.Cursor();
        game.Press(Hold::Down);  // the title waits under the results
        EXPECT_EQ(game.Find<TitleMenu>()->menu.Cursor(), row);
        game.Press(Hold::Fire);
        ASSERT_EQ(results->page, Results::Page::Name);
        EXPECT_EQ(results->name.Typed(), "TESTER");
        game.Press(Hold::Hover);  // TESTE
        game.Press(Hold::Fire);
        ASSERT_EQ(results->page, Results::Page::Table);
        EXPECT_EQ(results->place, 0);
        EXPECT_EQ(game.Kept().playerName, "TESTE");
        game.Press(Hold::Fire);
        EXPECT_EQ(game.Find<Results>(), nullptr);

        game.Press(Hold::Fire);  // the next START plays at once
        EXPECT_EQ(game.Find<HowToPlay>(), nullptr);
        EXPECT_TRUE(game.app->Play().Recording());
        game.Step();
        game.EndGameWith(9000);
        results = game.Find<Results>();
        ASSERT_NE(results, nullptr);
        game.Step();
        game.Press(Hold::Fire);  // the name is asked once
        EXPECT_EQ(results->page, Results::Page::Table);
        EXPECT_EQ(results->place, 0);
        EXPECT_EQ(game.app->Scores().ChosenTop().size(), 2u);
        EXPECT_EQ(game.app->Scores().ChosenTop()[1].name, "TESTE");
        game.Press(Hold::Fire);
    }
    const std::string text = Text(user.Path() / "scores.txt");
    EXPECT_NE(text.find("\t000000009000\t"), std::string::npos) << text;
    EXPECT_NE(text.find("\tTWO\tTESTE\n"), std::string::npos) << text;
}

TEST(ResultsFlow, TheHighScoresScreenShowsEachLevelsTableAndGoesBack) {
    TestMedia media(kStage);
    TempDir user("results");
    std::ofstream(user.Path() / "settings.ini") << "shown_how_to_play = yes\nname = ann\n";
    PlayerGame game(media, user.Path());
    game.Step();
    game.Press(Hold::Fire);
    game.Step();
    game.EndGameWith(700);
    for (int i = 0; i < 4 && game.Find<Results>(); ++i)
        game.Press(Hold::Fire);
    TitleMenu* title = game.Find<TitleMenu>();
    ASSERT_NE(title, nullptr);
    title->menu.SetCursor(static_cast<int>(TitleRow::HighScores));
    game.Press(Hold::Fire);
    ASSERT_NE(game.Find<HighScores>(), nullptr);
    ASSERT_EQ(game.app->Scores().ChosenTop().size(), 1u);
    EXPECT_EQ(game.app->Scores().ChosenTop()[0].name, "ANN");
    game.Press(Hold::Right);
    EXPECT_EQ(game.app->LevelName(), "NORMAL");
    EXPECT_TRUE(game.app->Scores().ChosenTop().empty());
    game.Press(Hold::Hover);
    ASSERT_NE(game.Find<TitleMenu>(), nullptr);
    EXPECT_EQ(game.Find<TitleMenu>()->menu.Cursor(), static_cast<int>(TitleRow::HighScores));
}
