// What the title lets a player choose: the level, the stage, a practice of any
// part of it; and the best score kept for each stage and level apart.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "app/SettingsFile.h"
#include "game/MenuLayout.h"
#include "support/SilentStageHost.h"
#include "support/TempDir.h"
#include "support/TitleGame.h"
#include "world/PlayerShip.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kStage =
    "stage Test Stage\n"
    "section ONE\n"
    "play 0\n"
    "sleep 100\n"
    "section TWO\n"
    "teki obj1 0\n"
    "sleep 5000\n"
    "gameover\n";

// A game whose scores are kept: option.ini beside it, the rest in the user's
// folder, where the player's stages and settings are too.
struct KeptGame : TitleGame {
    KeptGame(const TestMedia& media, const fs::path& user, GameStart start = {})
        : TitleGame(media, WithSettings(start, user), user),
          settingsPath((user / "settings.ini").string()) {}
    static GameStart WithSettings(GameStart start, const fs::path& user) {
        start.settingsPath = (user / "settings.ini").string();
        start.settings.shownHowToPlay = true;  // a player who has played before
        return start;
    }
    World& Field() { return app->Play().Field(); }
    std::string HighScore() { return Field().GetHighScore().Text(); }
    // Plays a game of the title's choice that ends with this score.
    void PlayTo(long long score) {
        Step();
        Step(Pad({Hold::Fire}));
        for (int i = 0; i < 60; ++i)
            Step();
        Field().AddScore(score);
        app->RequestReturnToTitle();
        Step();
        ASSERT_NE(Find<TitleMenu>(), nullptr);
        // The results over the title, and the name they ask the first time.
        for (int i = 0; i < 8 && Find<Results>(); ++i)
            Press(Hold::Fire);
        ASSERT_EQ(Find<Results>(), nullptr);
    }

    // What the settings file remembers of the title's choices.
    Settings Remembered() const { return LoadSettings(settingsPath, NumberedKeyNames()).settings; }

    std::string settingsPath;
};

struct ChoicesTest : ::testing::Test {
    ChoicesTest() {
        fs::create_directories(user.Path() / "stages");
        std::ofstream(user.Path() / "stages" / "other.txt")
            << "stage Other One\nplay 0\nsleep 9999\n";
        std::ofstream(media.Root() / "Media" / "option.ini") << "HighScore=000000001000\n";
    }
    std::string OptionIni() { return FileText(media.Root() / "Media" / "option.ini"); }
    std::string Records() { return FileText(user.Path() / "records.ini"); }

    TestMedia media{kStage};
    TempDir user{"choices"};
};

}  // namespace

TEST_F(ChoicesTest, LevelAndStageChangeWithLeftAndRightAndEachKeepsItsOwnRecord) {
    {
        KeptGame game(media, user.Path());
        TitleMenu* title = game.Find<TitleMenu>();
        EXPECT_EQ(game.HighScore(), "000000001000");  // the delivered stage at EASY: option.ini
        game.Step();
        game.Press(Hold::Down);
        ASSERT_EQ(title->menu.Cursor(), static_cast<int>(TitleRow::Level));
        game.Press(Hold::Right);
        EXPECT_EQ(game.app->LevelName(), "NORMAL");
        EXPECT_EQ(game.HighScore(), "000000000000");  // never played at NORMAL
        EXPECT_EQ(game.Remembered().level, "normal");
        game.Press(Hold::Left);
        game.Press(Hold::Left);  // round to the last
        EXPECT_EQ(game.app->LevelName(), "HARD");
        game.Press(Hold::Right);
        game.Press(Hold::Right);
        game.Press(Hold::Down);
        game.Press(Hold::Right);
        EXPECT_EQ(game.app->StageName(), "OTHER ONE");
        EXPECT_EQ(game.Remembered().stage, "other.txt");
        game.Press(Hold::Up);
        game.Press(Hold::Up);
        game.PlayTo(2500);  // OTHER ONE at NORMAL
        EXPECT_EQ(game.Field().GetScore().Text(), "000000002500");
        EXPECT_EQ(game.HighScore(), "000000002500");
    }
    // Another game's records of another stage and level are not this one's.
    EXPECT_EQ(OptionIni(), "HighScore=000000001000\n");
    EXPECT_NE(Records().find(".normal=000000002500\n"), std::string::npos) << Records();
    {
        GameStart start;
        start.level = "normal";
        start.settings.stage = "other.txt";
        KeptGame game(media, user.Path(), start);
        EXPECT_EQ(game.app->StageName(), "OTHER ONE");
        EXPECT_EQ(game.HighScore(), "000000002500");
        game.app->ChangeLevel(1);
        EXPECT_EQ(game.HighScore(), "000000000000");
        game.app->ChangeStage(-1);
        game.app->ChangeLevel(1);  // back to the delivered stage at EASY
        EXPECT_EQ(game.HighScore(), "000000001000");
        game.PlayTo(1700);
    }
    EXPECT_EQ(OptionIni(), "HighScore=000000001700\n");
    EXPECT_NE(Records().find(".normal=000000002500\n"), std::string::npos) << Records();
}

TEST_F(ChoicesTest, PracticeStartsWhereChosenWithTheOptionsChosenAndKeepsNoRecord) {
    {
        KeptGame game(media, user.Path());
        game.Step();
        while (game.Find<TitleMenu>()->menu.Cursor() != static_cast<int>(TitleRow::Practice))
            game.Press(Hold::Down);
        game.Press(Hold::Fire);
        PracticeMenu* practice = game.Find<PracticeMenu>();
        ASSERT_NE(practice, nullptr);
        EXPECT_EQ(game.app->PracticeStarts(), (std::vector<std::string>{"ONE", "TWO"}));
        EXPECT_EQ(practice->times, (std::vector<std::string>{"0:00", "0:01"}));  // on their rows
        game.Press(Hold::Down);
        for (int i = 0; i < 12; ++i)
            game.Press(Hold::Right);  // no more than ten
        game.Press(Hold::Left);
        EXPECT_EQ(practice->options, 9);
        game.Press(Hold::Fire);

        // An empty field, the ship flying in with its options, three lives.
        EXPECT_NE(game.Find<GetReady>(), nullptr);
        ASSERT_NE(game.Field().GetPlayer(), nullptr);
        EXPECT_EQ(game.Field().GetPlayer()->optionCount, 9);
        EXPECT_EQ(game.Field().GetLives(), 3);
        EXPECT_EQ(game.Field().enemyPool.Count(), 0);
        for (int i = 0; i < 51; ++i)
            game.Step();
        // The stage from TWO on, with the music it plays there.
        EXPECT_EQ(game.Field().enemyPool.Count(), 1);
        EXPECT_EQ(game.app->Play().Stage().Position(), 4);
        EXPECT_EQ(game.platform->music->opened,
                  std::vector{media.ExeDir() + "Media/Music/qz_disky.mid"});
        // The head-up display says it is practice.
        auto& backend = *static_cast<RecordingBackend*>(game.platform->backend);
        backend.Forget();
        game.app->Render();
        int practiceGlyphs = 0;
        for (const auto& quad : backend.quadDraws)
            practiceGlyphs += quad.y == 16.0f;
        EXPECT_EQ(practiceGlyphs, 8);  // "PRACTICE"

        game.Field().AddScore(999999);
        game.app->Play().Field().LoseLife();
        game.app->RequestReturnToTitle();
        game.Step();
        TitleMenu* title = game.Find<TitleMenu>();
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->menu.Cursor(), static_cast<int>(TitleRow::Practice));
        EXPECT_EQ(game.HighScore(), "000000001000");
    }
    EXPECT_EQ(OptionIni(), "HighScore=000000001000\n");
    EXPECT_FALSE(fs::exists(user.Path() / "records.ini"));
}

TEST_F(ChoicesTest, EscGoesBackFromPracticeAndQuitsFromTheTitle) {
    KeptGame game(media, user.Path());
    game.app->Scenes().Clear();
    game.app->CreateScene<PracticeMenu>();
    game.app->OnEscape();
    game.Step();
    ASSERT_NE(game.Find<TitleMenu>(), nullptr);
    EXPECT_EQ(game.Find<TitleMenu>()->menu.Cursor(), static_cast<int>(TitleRow::Practice));
    EXPECT_FALSE(game.platform->window->IsHidden());
    game.app->OnEscape();
    EXPECT_TRUE(game.platform->window->IsHidden());
}

TEST_F(ChoicesTest, OldRecordsOfThePlayersStagesMoveIntoTheRecordsFileOnce) {
    // Kept by the file's fingerprint of the first format, a file each.
    const std::string text = "play 0\nsleep 9999\n";
    std::ofstream(user.Path() / "stages" / "mine.txt") << text;
    uint64_t old = FirstFormatFingerprint((user.Path() / "stages" / "mine.txt").string());
    char name[64];
    std::snprintf(name, sizeof name, "mine-%016llx.ini", static_cast<unsigned long long>(old));
    std::ofstream(user.Path() / "stages" / name) << "HighScore=000000004200\n";
    std::ofstream(user.Path() / "stages" / (std::string(name) + ".lock")).close();
    {
        GameStart start;
        start.settings.stage = "mine.txt";
        KeptGame game(media, user.Path(), start);
        EXPECT_EQ(game.HighScore(), "000000004200");
    }
    EXPECT_FALSE(fs::exists(user.Path() / "stages" / name));
    EXPECT_FALSE(fs::exists(user.Path() / "stages" / (std::string(name) + ".lock")));
    GameStart start;
    start.settings.stage = "mine.txt";
    KeptGame game(media, user.Path(), start);
    EXPECT_EQ(game.HighScore(), "000000004200");
}

// A records file that cannot be read whole (a folder in its place included)
// counts from nothing and is never replaced; one of garbage keeps its lines.
TEST_F(ChoicesTest, ARecordsFileThatIsGarbageAFolderOrReadOnlyCountsFromNothing) {
    const fs::path records = user.Path() / "records.ini";
    for (int shape = 0; shape < 3; ++shape) {
        SCOPED_TRACE(shape);
        fs::remove_all(records);
        if (shape == 0) std::ofstream(records, std::ios::binary) << std::string("\0\xff=\n==\n", 7);
        if (shape == 1) fs::create_directory(records);
        if (shape == 2) {
            std::ofstream(records) << "# mine\n";
            fs::permissions(records, fs::perms::owner_read);
        }
        {
            GameStart start;
            start.level = "hard";
            KeptGame game(media, user.Path(), start);
            EXPECT_EQ(game.HighScore(), "000000000000");
            game.PlayTo(300);
            EXPECT_EQ(game.HighScore(), "000000000300");
        }
        EXPECT_EQ(OptionIni(), "HighScore=000000001000\n");
        if (shape == 0) {
            EXPECT_NE(Records().find(".hard=000000000300"), std::string::npos);
        } else if (shape == 1) {
            EXPECT_TRUE(fs::is_directory(records));
        } else {
            EXPECT_EQ(Records(), "# mine\n");
        }
    }
}

// A stage whose file name the settings cannot hold as a line (a blank before
// it, a control byte in it) is chosen for the run, and the title says it is
// not remembered, not stderr alone.
TEST_F(ChoicesTest, AStageThatCannotBeRememberedIsSaidOnTheTitle) {
    std::ofstream(user.Path() / "stages" / " leading.txt") << "stage Leading\nplay 0\n";
    KeptGame game(media, user.Path());
    game.Step();
    std::string said;
    for (int i = 0; i < 3 && game.app->StageName() != "LEADING"; ++i)
        said = game.app->ChangeStage(1);
    ASSERT_EQ(game.app->StageName(), "LEADING");
    EXPECT_NE(said.find("KEPT UNTIL THE GAME ENDS"), std::string::npos) << said;
    EXPECT_EQ(game.app->ChangeStage(1), "");  // the next one is remembered again
}

// A best earned in this run is kept whatever is on screen when the program
// ends: here, a replay being watched from the REPLAYS screen.
TEST_F(ChoicesTest, ARecordIsKeptWhenTheProgramEndsDuringAReplay) {
    {
        GameStart start;
        start.level = "hard";
        KeptGame game(media, user.Path(), start);
        game.PlayTo(300);
        ASSERT_NE(game.app->LastGame(), nullptr);
        Replay last = *game.app->LastGame();
        ASSERT_EQ(game.app->PlayReplay(last, GameApp::ReplayFrom::Shelf), "");
        for (int i = 0; i < 30; ++i)
            game.Step();
        ASSERT_NE(game.app->Viewing(), nullptr);
    }
    EXPECT_NE(Records().find(".hard=000000000300"), std::string::npos) << Records();
    EXPECT_EQ(OptionIni(), "HighScore=000000001000\n");
}

TEST_F(ChoicesTest, AStageOfTheCommandLineWithALongNameKeepsItsRecord) {
    const std::string name = std::string(250, 'x') + ".txt";
    std::ofstream(user.Path() / name) << "play 0\nsleep 9999\n";
    {
        GameStart start;
        start.stage = (user.Path() / name).string();
        KeptGame game(media, user.Path(), start);
        EXPECT_EQ(game.app->StageName(), std::string(32, 'X'));
        game.PlayTo(800);
    }
    GameStart start;
    start.stage = (user.Path() / name).string();
    KeptGame game(media, user.Path(), start);
    EXPECT_EQ(game.HighScore(), "000000000800");
}

// VIDEO CHANGE's choice is the next start's video while its file is there;
// DEFAULT VIDEO brings the game's own back, and the title says which plays.
TEST_F(ChoicesTest, TheChosenVideoIsRememberedAndDefaultVideoForgetsIt) {
    auto SettingsRead = [&] {
        return LoadSettings((user.Path() / "settings.ini").string(), NumberedKeyNames()).settings;
    };
    const std::string clip = (user.Path() / "my clip.mkv").string();
    std::ofstream(clip) << "clip";
    {
        KeptGame game(media, user.Path());
        EXPECT_EQ(game.app->VideoName(), "DEFAULT");
        game.platform->chooser.QueueAnswer(clip);
        EXPECT_EQ(game.app->ChooseVideo(), "");
        EXPECT_EQ(game.Remembered().video, clip);
        EXPECT_EQ(game.app->VideoName(), "MY CLIP.MKV");
    }
    {
        GameStart start;
        start.settings = SettingsRead();
        KeptGame game(media, user.Path(), start);
        EXPECT_EQ(game.app->VideoName(), "MY CLIP.MKV");
        EXPECT_EQ(game.app->UseDefaultVideo(), "");
        EXPECT_EQ(game.Remembered().video, "");
        EXPECT_EQ(game.app->VideoName(), "DEFAULT");
    }
}
