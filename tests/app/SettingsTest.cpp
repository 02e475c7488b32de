#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/SettingsFile.h"
#include "input/platform/SdlKeyNames.h"
#include "support/SettingsPrint.h"
#include "support/TempDir.h"

namespace {

std::vector<int> KeysOf(const Settings& s, KeyAction action) {
    std::vector<int> codes;
    for (const KeyBinding& k : s.keys) {
        if (k.action == action) codes.push_back(k.scancode);
    }
    return codes;
}

std::vector<ControllerButton> ButtonsOf(const Settings& s, PadButton action) {
    std::vector<ControllerButton> buttons;
    for (const PadBinding& b : s.pad) {
        if (b.action == action) buttons.push_back(b.button);
    }
    return buttons;
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace

TEST(Settings, ReadsEveryKey) {
    LoadedSettings loaded = ParseSettings(
        "  Music_Volume = 0\n"
        "effects_volume=35\r\n"
        "# a comment\n"
        "fullscreen = yes\n"
        "picture = Integer\n"
        "key_up = W, Up\n"
        "key_fire = Left Shift\n"
        "key_down = X\nkey_left = X\nkey_right = X\nkey_hover = C\n"
        "key_pause = V\nkey_freeze = B\nkey_catchup = Z\n"
        "pad_fire = leftshoulder, A\npad_pause = Touchpad\n"
        "level = hard\nstage = my stage.txt\n",
        SdlKeyNames());
    EXPECT_TRUE(loaded.problems.empty()) << loaded.problems.front();
    const Settings& s = loaded.settings;
    EXPECT_EQ(s.musicVolume, 0);
    EXPECT_EQ(s.effectsVolume, 35);
    EXPECT_TRUE(s.fullScreen);
    EXPECT_EQ(s.picture, PictureFit::Integer);
    const std::pair<KeyAction, std::vector<int>> keys[] = {
        {KeyAction::Up, {26, scancode::kUp}}, {KeyAction::Fire, {225}},
        {KeyAction::Down, {scancode::kX}},    {KeyAction::Hover, {scancode::kC}},
        {KeyAction::Pause, {scancode::kV}},   {KeyAction::Freeze, {scancode::kB}},
        {KeyAction::CatchUp, {scancode::kZ}},
    };
    for (const auto& [action, codes] : keys)
        EXPECT_EQ(KeysOf(s, action), codes) << static_cast<int>(action);
    EXPECT_EQ(ButtonsOf(s, kButtonFire),
              (std::vector{ControllerButton::LeftShoulder, ControllerButton::A}));
    EXPECT_EQ(ButtonsOf(s, kButtonPause), std::vector{ControllerButton::Touchpad});
    EXPECT_EQ(ButtonsOf(s, kButtonHover), std::vector{ControllerButton::B});  // as it was
    EXPECT_EQ(s.level, "hard");
    EXPECT_EQ(s.stage, "my stage.txt");
}

TEST(Settings, ABadValueIsReportedWithItsLineAndKeepsItsDefault) {
    LoadedSettings loaded = ParseSettings(
        "music_volume = loud\n"
        "effects_volume = 101\n"
        "fullscreen = maybe\n"
        "\n"
        "picture = zoom\n"
        "key_hover = Nokey\n"
        "key_up =\n"
        "speed = 3\n"
        "just words\n"
        "pad_fire = Z\n"
        "stage = ../../elsewhere.txt\n",
        SdlKeyNames());
    const std::vector<std::string> expected = {"line 1: music_volume",
                                               "line 2: effects_volume",
                                               "line 3: fullscreen",
                                               "line 5: picture",
                                               "line 6: key_hover: unknown key \"Nokey\"",
                                               "line 7: key_up",
                                               "line 8: unknown setting \"speed\"",
                                               "line 9: not a setting",
                                               "line 10: pad_fire: unknown button \"Z\"",
                                               "line 11: stage"};
    ASSERT_EQ(loaded.problems.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(loaded.problems[i].rfind(expected[i], 0), 0u) << loaded.problems[i];
    EXPECT_NE(loaded.problems[0].find("\"loud\""), std::string::npos);
    const Settings defaults;
    EXPECT_EQ(loaded.settings.musicVolume, defaults.musicVolume);
    EXPECT_EQ(loaded.settings.effectsVolume, defaults.effectsVolume);
    EXPECT_EQ(loaded.settings.fullScreen, defaults.fullScreen);
    EXPECT_EQ(loaded.settings.picture, defaults.picture);
    EXPECT_EQ(loaded.settings, defaults);
}

// A key set twice: the later line that cannot be used leaves the earlier's
// value, and the message says so, not that the default is used.
TEST(Settings, ABadValueAfterAGoodOneSaysTheEarlierValueStays) {
    LoadedSettings loaded = ParseSettings(
        "music_volume = 40\nmusic_volume = loud\nkey_fire = X\nkey_fire = Nokey\n", SdlKeyNames());
    EXPECT_EQ(loaded.settings.musicVolume, 40);
    EXPECT_EQ(KeysOf(loaded.settings, KeyAction::Fire), std::vector{scancode::kX});
    ASSERT_EQ(loaded.problems.size(), 2u);
    for (const std::string& problem : loaded.problems) {
        EXPECT_NE(
            problem.find("line " + std::string(problem[5] == '2' ? "1" : "3") + "'s value is used"),
            std::string::npos)
            << problem;
        EXPECT_EQ(problem.find("default"), std::string::npos) << problem;
    }
}

// The README's example, pasted as a file, reads as the README says it does.
TEST(Settings, TheReadmesExampleParsesAsItReads) {
    std::string readme = Slurp(VELMORA_README);
    std::size_t start = readme.find("```ini\n");
    ASSERT_NE(start, std::string::npos);
    start += 7;
    LoadedSettings loaded =
        ParseSettings(readme.substr(start, readme.find("```", start) - start), SdlKeyNames());
    EXPECT_TRUE(loaded.problems.empty()) << loaded.problems.front();
    EXPECT_EQ(KeysOf(loaded.settings, KeyAction::Down), KeysOf(Settings{}, KeyAction::Down));
    EXPECT_EQ(KeysOf(loaded.settings, KeyAction::Fire), KeysOf(Settings{}, KeyAction::Fire));
    EXPECT_EQ(loaded.settings.picture, PictureFit::Aspect);
}

TEST(Settings, AKeyListKeepsTheNamesItCanUseAndNamesTheOthers) {
    LoadedSettings loaded = ParseSettings(
        "key_fire = Banana, A\n"
        "key_hover = Escape, X, F11, Left Alt, Right Alt\n"
        "key_pause = Escape\n"
        "key_up = W,, Up ,W\n"
        "pad_hover = DPadUp, RightShoulder, Kazoo\n"
        "pad_freeze = dpleft\n",
        SdlKeyNames());
    const Settings defaults;
    EXPECT_EQ(KeysOf(loaded.settings, KeyAction::Fire), std::vector{4});  // A
    EXPECT_EQ(KeysOf(loaded.settings, KeyAction::Hover), std::vector{scancode::kX});
    EXPECT_EQ(KeysOf(loaded.settings, KeyAction::Pause), KeysOf(defaults, KeyAction::Pause));
    EXPECT_EQ(KeysOf(loaded.settings, KeyAction::Up), (std::vector{26, scancode::kUp}));
    EXPECT_EQ(ButtonsOf(loaded.settings, kButtonHover),
              std::vector{ControllerButton::RightShoulder});
    EXPECT_EQ(ButtonsOf(loaded.settings, kButtonFreeze), ButtonsOf(defaults, kButtonFreeze));
    const std::vector<std::string> expected = {
        "line 1: key_fire: unknown key \"Banana\"; the others are used",
        "line 2: key_hover: \"Escape\", \"F11\", \"Left Alt\", \"Right Alt\": the game's own",
        "line 3: key_pause: \"Escape\": the game's own",
        "line 5: pad_hover: unknown button \"Kazoo\"; the others are used",
        "line 5: pad_hover: \"DPadUp\": the D-pad moves the ship; the others are used",
        "line 6: pad_freeze: unknown button \"dpleft\"; the default is used"};
    ASSERT_EQ(loaded.problems.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(loaded.problems[i].rfind(expected[i], 0), 0u) << loaded.problems[i];
    EXPECT_NE(loaded.problems[2].find("the default is used"), std::string::npos);
}

TEST(Settings, AByteOrderMarkIsSkippedAndUtf16IsRefusedInOneLine) {
    LoadedSettings marked = ParseSettings("\xEF\xBB\xBFmusic_volume = 30\r\n", SdlKeyNames());
    EXPECT_TRUE(marked.problems.empty()) << marked.problems.front();
    EXPECT_EQ(marked.settings.musicVolume, 30);

    // "music_volume = 30" as Notepad's "Unicode" saves it.
    std::string utf16 = "\xFF\xFE";
    for (char c : std::string("music_volume = 30\r\n"))
        utf16 += std::string{c, '\0'};
    LoadedSettings wide = ParseSettings(utf16, SdlKeyNames());
    ASSERT_EQ(wide.problems.size(), 1u);
    EXPECT_NE(wide.problems[0].find("UTF-16"), std::string::npos);
    EXPECT_EQ(wide.settings, Settings{});
}

TEST(Settings, GarbageAndHugeFilesNeverStopTheGame) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    garbage += "\nmusic_volume = 40\n" + std::string(3000, '=') + "\x1b[2J\n";
    LoadedSettings loaded = ParseSettings(garbage, SdlKeyNames());
    EXPECT_EQ(loaded.settings.musicVolume, 40);
    EXPECT_LE(loaded.problems.size(), 11u);  // a few lines, then one that says more were skipped
    for (const std::string& p : loaded.problems) {
        for (char c : p) {
            auto byte = static_cast<unsigned char>(c);
            ASSERT_TRUE(byte >= 0x20 && byte < 0x7F) << "a raw byte reaches the terminal: " << p;
        }
    }
    // What cannot be shown is shown as its number.
    loaded = ParseSettings("\xE9t\xE9 = 1\nfullscreen = \x1b[2J\xff\n", SdlKeyNames());
    ASSERT_EQ(loaded.problems.size(), 2u);
    EXPECT_NE(loaded.problems[0].find("\"\\xE9t\\xE9\""), std::string::npos) << loaded.problems[0];
    EXPECT_NE(loaded.problems[1].find("\"\\x1B[2J\\xFF\""), std::string::npos)
        << loaded.problems[1];

    TempDir dir("settings_huge");
    std::ofstream(dir / "settings.ini") << std::string(1 << 20, 'x');
    loaded = LoadSettings(dir / "settings.ini", SdlKeyNames());
    ASSERT_EQ(loaded.problems.size(), 1u);
    EXPECT_EQ(loaded.settings.musicVolume, 100);
}

TEST(Settings, AMissingFileIsWrittenOnceWithTheDefaultsAndNeverOverwritten) {
    TempDir dir("settings_new");
    std::string path = dir / "config/velmora/settings.ini";  // the folders do not exist yet
    LoadedSettings first = LoadSettings(path, SdlKeyNames());
    EXPECT_TRUE(first.problems.empty());
    std::string written = Slurp(path);
    for (const char* key :
         {"music_volume = 100", "effects_volume = 100", "fullscreen = no", "picture = aspect",
          "key_fire = Z, Space, Return", "key_up = Up", "key_catchup = B", "# Default: 100",
          "pad_fire = A\n", "pad_pause = X, Start\n", "pad_catchup = Back\n", "level = easy\n",
          "stage =\n"}) {
        EXPECT_NE(written.find(key), std::string::npos) << key;
    }
    LoadedSettings reread = ParseSettings(written, SdlKeyNames());
    EXPECT_TRUE(reread.problems.empty()) << reread.problems.front();
    EXPECT_EQ(reread.settings, Settings{});

    std::ofstream(path) << "music_volume = 7\n";
    EXPECT_EQ(LoadSettings(path, SdlKeyNames()).settings.musicVolume, 7);
    EXPECT_EQ(Slurp(path), "music_volume = 7\n");
}

TEST(Settings, ThePathFollowsXdgAndIgnoresARelativeConfigHome) {
    EXPECT_EQ(SettingsPath("/cfg", "/home/p"), "/cfg/velmora/settings.ini");
    EXPECT_EQ(SettingsPath("cfg", "/home/p"), "/home/p/.config/velmora/settings.ini");
    EXPECT_EQ(SettingsPath("", "/home/p"), "/home/p/.config/velmora/settings.ini");
    EXPECT_EQ(SettingsPath(nullptr, nullptr), "");
    // A relative HOME would put the file wherever the game was started.
    EXPECT_EQ(SettingsPath(nullptr, "home/p"), "");
}
