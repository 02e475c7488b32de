// The OPTIONS screen: every change is heard, seen or bound at once and written
// into the player's own settings file; keys and buttons are bound by pressing
// them, with what moved or was refused said on the screen.
#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "app/SettingsFile.h"
#include "support/TempDir.h"
#include "support/TitleGame.h"

namespace fs = std::filesystem;

namespace {

// The player's file: their comments, a line this game does not know, and the
// order they like.
constexpr const char* kPlayersFile =
    "# my settings, synced from my dotfiles\n"
    "effects_volume = 100\n"
    "mystery = 1\n"
    "music_volume = 100\n";

// The game's files, made before the game that reads them.
struct WithMedia {
    TestMedia media;
};

// A game at its title whose settings live in a file of the test's.
struct OptionsGame : WithMedia, TitleGame {
    explicit OptionsGame(const fs::path& settingsPath) : TitleGame(media, StartWith(settingsPath)) {
        Step();
    }
    static GameStart StartWith(const fs::path& settingsPath) {
        GameStart start;
        start.settingsPath = settingsPath.string();
        start.settings = LoadSettings(start.settingsPath, NumberedKeyNames()).settings;
        return start;
    }
    // A key pressed, then let go a step later.
    void PressKey(int scancode) {
        app->OnKeyPressed(scancode);
        Step();
        Step();
    }
    void PressButton(ControllerButton button) {
        app->OnPadButtonPressed(static_cast<int>(button));
        Step();
        Step();
    }
    // From the title, wherever its cursor is, to a row of the OPTIONS screen.
    OptionsMenu* Open(int row = 0) {
        TitleMenu* title = Find<TitleMenu>();
        if (!title) return nullptr;
        Step();  // a menu that just appeared waits for the keys to be let go
        const int target = static_cast<int>(TitleRow::Options);
        for (int moves = 0; title->menu.Cursor() != target && moves < 20; ++moves)
            Press(title->menu.Cursor() < target ? Hold::Down : Hold::Up);
        Press(Hold::Fire);
        OptionsMenu* options = Find<OptionsMenu>();
        if (!options) return nullptr;
        for (int i = 0; i < row; ++i)
            Press(Hold::Down);
        return options;
    }
    const Settings& Applied() const { return platform->applied.back(); }
    int EffectsPlayed() const {
        int played = 0;
        for (int i = 0; i < static_cast<int>(platform->audio->Loaded().size()); ++i)
            played += platform->audio->PlayCount(i);
        return played;
    }
};

// The screen's rows, as the tests reach them.
enum Row {
    Music,
    Effects,
    FullScreen,
    Picture,
    BackgroundLight,
    KeyUp,
    KeyFire = 9,
    KeyHover,
    KeyPause,
    KeyFreeze,
    PadFire = 15,
    PadHover,
    PadPause,
    Defaults = 21,
    Back
};

}  // namespace

TEST(OptionsScreen, ValuesAreTakenAtOnceAndWrittenIntoThePlayersOwnFile) {
    TempDir dir("options_values");
    const fs::path file = dir / "settings.ini";
    std::ofstream(file) << kPlayersFile;
    OptionsGame game(file);
    OptionsMenu* options = game.Open();
    ASSERT_NE(options, nullptr);

    game.Press(Hold::Right);  // 100 is the most there is
    game.Press(Hold::Left);
    game.Press(Hold::Left);
    EXPECT_EQ(game.Applied().musicVolume, 80);
    game.Press(Hold::Down);
    int played = game.EffectsPlayed();
    game.Press(Hold::Left);
    EXPECT_EQ(game.Applied().effectsVolume, 90);
    EXPECT_EQ(game.EffectsPlayed(), played + 1);  // heard at the new volume
    game.Press(Hold::Down);
    game.Press(Hold::Fire);  // a pad steps a value on by confirming it
    EXPECT_TRUE(game.app->Options().InFullScreen());
    game.Press(Hold::Down);
    game.Press(Hold::Left);  // ASPECT wraps round to STRETCH
    EXPECT_EQ(game.Applied().picture, PictureFit::Stretch);
    game.Press(Hold::Down);
    for (int i = 0; i < 5; ++i)
        game.Press(Hold::Left);  // dimmed in quarters, no darker than a quarter
    EXPECT_EQ(game.app->Options().Current().background, 25);
    EXPECT_EQ(game.app->Play().Field().backgroundLight, 0.25f);
    game.Press(Hold::Right);
    EXPECT_EQ(game.app->Play().Field().backgroundLight, 0.5f);
    EXPECT_TRUE(options->message.empty()) << options->message;

    EXPECT_EQ(FileText(file),
              "# my settings, synced from my dotfiles\n"
              "effects_volume = 90\n"
              "mystery = 1\n"
              "music_volume = 80\n"
              "fullscreen = yes\n"
              "picture = stretch\n"
              "background = 50\n");
    // The next start reads what the screen wrote.
    Settings read = LoadSettings(file.string(), NumberedKeyNames()).settings;
    EXPECT_EQ(read, game.app->Options().Current());
}

TEST(OptionsScreen, KeysAndButtonsAreBoundByPressingThemAndTheScreenSaysWhatMoved) {
    TempDir dir("options_keys");
    const fs::path file = dir / "settings.ini";
    OptionsGame game(file);  // no file yet: the defaults are written first
    OptionsMenu* options = game.Open(KeyHover);
    ASSERT_NE(options, nullptr);

    // The key that confirmed the row is not the one bound: the next one is.
    game.Press(Hold::Fire);
    ASSERT_TRUE(options->binding);
    game.Step();
    EXPECT_TRUE(options->binding);
    game.PressKey(scancode::kSpace);  // one of FIRE's three
    EXPECT_FALSE(options->binding);
    EXPECT_EQ(options->message, "MOVED FROM FIRE");
    Settings read = LoadSettings(file.string(), NumberedKeyNames()).settings;
    EXPECT_EQ(read.keys, game.Applied().keys);
    EXPECT_EQ(KeyListText(read.keys, KeyAction::Hover, NumberedKeyNames()), "Key 44");
    EXPECT_EQ(KeyListText(read.keys, KeyAction::Fire, NumberedKeyNames()), "Key 29, Key 40");

    // Refused, with a word: a key the game keeps, and a key that would leave
    // FREEZE with none.
    const KeyTable before = game.app->Options().Current().keys;
    game.Press(Hold::Fire);
    game.PressKey(scancode::kLeftAlt);
    EXPECT_EQ(options->message, "ALT IS FOR FULL SCREEN");
    game.Press(Hold::Fire);
    game.PressKey(scancode::kV);
    EXPECT_EQ(options->message, "FREEZE WOULD HAVE NO KEY");
    EXPECT_EQ(game.app->Options().Current().keys, before);

    // Esc, or the pad's B, cancels a binding and stays on the screen.
    game.Press(Hold::Fire);
    game.app->OnEscape();
    game.Step();
    EXPECT_FALSE(options->binding);
    EXPECT_EQ(game.Find<OptionsMenu>(), options);
    game.Press(Hold::Fire);
    game.PressButton(ControllerButton::B);
    EXPECT_FALSE(options->binding);
    EXPECT_EQ(game.app->Options().Current().keys, before);

    // A button's row takes a button: X leaves PAUSE with Start.
    for (int i = KeyHover; i < PadFire; ++i)
        game.Press(Hold::Down);
    game.Press(Hold::Fire);
    EXPECT_EQ(options->BindingPrompt(), "PRESS A BUTTON   ESC CANCELS");
    game.platform->input->Unplug();
    EXPECT_EQ(options->BindingPrompt(), "NO PAD IS CONNECTED   ESC CANCELS");
    game.PressKey(scancode::kZ);  // a key does not bind a button
    EXPECT_TRUE(options->binding);
    game.PressButton(ControllerButton::X);
    EXPECT_EQ(options->message, "MOVED FROM PAUSE");
    read = LoadSettings(file.string(), NumberedKeyNames()).settings;
    EXPECT_EQ(ButtonListText(read.pad, kButtonFire), "X");
    EXPECT_EQ(ButtonListText(read.pad, kButtonPause), "Start");
    game.Press(Hold::Fire);
    game.PressButton(ControllerButton::DPadUp);
    EXPECT_EQ(options->message, "THE D-PAD MOVES THE SHIP");
}

TEST(OptionsScreen, DefaultsAskFirstAndEscGoesBackToTheTitlesRow) {
    TempDir dir("options_defaults");
    const fs::path file = dir / "settings.ini";
    std::ofstream(file) << kPlayersFile << "music_volume = 30\nlevel = hard\n";
    OptionsGame game(file);
    OptionsMenu* options = game.Open(Defaults);
    ASSERT_NE(options, nullptr);
    game.Press(Hold::Fire);
    EXPECT_TRUE(options->confirmingDefaults);
    game.Press(Hold::Hover);  // no
    EXPECT_FALSE(options->confirmingDefaults);
    EXPECT_EQ(game.app->Options().Current().musicVolume, 30);
    game.Press(Hold::Fire);
    game.Press(Hold::Fire);  // yes
    EXPECT_EQ(options->message, "DEFAULTS SET");
    Settings read = LoadSettings(file.string(), NumberedKeyNames()).settings;
    EXPECT_EQ(read.musicVolume, 100);
    EXPECT_EQ(read.level, "hard");  // the title's choice is no option
    EXPECT_NE(FileText(file).find("mystery = 1\n"), std::string::npos);

    game.app->OnEscape();
    game.Step();
    EXPECT_EQ(game.Find<OptionsMenu>(), nullptr);
    TitleMenu* title = game.Find<TitleMenu>();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->menu.Cursor(), static_cast<int>(TitleRow::Options));
    // BACK and the pad's B go there too.
    ASSERT_NE(game.Open(Back), nullptr);
    game.Press(Hold::Fire);
    EXPECT_NE(game.Find<TitleMenu>(), nullptr);
    game.Press(Hold::Fire);
    game.Press(Hold::Hover);
    EXPECT_NE(game.Find<TitleMenu>(), nullptr);
}

TEST(OptionsScreen, AFileThatCannotBeWrittenIsSaidAndTheChangeHoldsForThisRun) {
    TempDir dir("options_unwritable");
    // A folder where the file should be: nothing can be written there.
    const fs::path file = dir / "settings.ini";
    fs::create_directories(file);
    OptionsGame game(file);
    OptionsMenu* options = game.Open();
    ASSERT_NE(options, nullptr);
    game.Press(Hold::Left);
    EXPECT_EQ(game.Applied().musicVolume, 90);
    EXPECT_NE(options->message.find("KEPT UNTIL THE GAME ENDS"), std::string::npos)
        << options->message;
    EXPECT_TRUE(fs::is_directory(file));
}

// F11 (Alt+Enter, a double click) and the FULL SCREEN row are one setting: the
// switch is written to the file, the row shows it, and changing another option
// afterwards does not switch it back.
TEST(OptionsScreen, TheFullScreenKeyAndTheRowAndTheFileAgree) {
    TempDir dir("options_full_screen");
    const fs::path file = dir / "settings.ini";
    std::ofstream(file) << kPlayersFile << "fullscreen = yes\n";
    OptionsGame game(file);
    game.app->SetFullScreen(true);
    game.app->HandleEvent({ShellEventKind::ToggleFullScreen});
    EXPECT_FALSE(game.app->Options().InFullScreen());
    EXPECT_FALSE(LoadSettings(file.string(), NumberedKeyNames()).settings.fullScreen);
    EXPECT_FALSE(game.app->Options().Current().fullScreen);

    Settings quieter = game.app->Options().Current();
    quieter.musicVolume = 40;
    const std::string_view music[] = {setting::kMusicVolume};
    game.app->Options().ChangeOptions(quieter, music);
    EXPECT_FALSE(game.app->Options().InFullScreen());
    game.app->HandleEvent({ShellEventKind::ToggleFullScreen});
    EXPECT_TRUE(LoadSettings(file.string(), NumberedKeyNames()).settings.fullScreen);
}
