#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/Settings.h"
#include "input/platform/SdlKeyNames.h"
#include "support/TempDir.h"

namespace {

std::vector<int> KeysOf(const Settings& s, KeyAction action) {
    std::vector<int> codes;
    for (const KeyBinding& k : s.keys) {
        if (k.action == action) codes.push_back(k.scancode);
    }
    return codes;
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
        "key_pause = V\nkey_freeze = B\nkey_catchup = Z\n",
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
}

TEST(Settings, ABadValueIsReportedWithItsLineAndKeepsItsDefault) {
    LoadedSettings loaded = ParseSettings(
        "music_volume = loud\n"
        "effects_volume = 101\n"
        "fullscreen = maybe\n"
        "\n"
        "picture = zoom\n"
        "key_fire = Z, Nokey\n"
        "key_up =\n"
        "speed = 3\n"
        "just words\n"
        "music_volume = -1\n",
        SdlKeyNames());
    const std::vector<std::string> expected = {"line 1: music_volume",
                                               "line 2: effects_volume",
                                               "line 3: fullscreen",
                                               "line 5: picture",
                                               "line 6: key_fire",
                                               "line 7: key_up",
                                               "line 8: unknown setting \"speed\"",
                                               "line 9: not a setting",
                                               "line 10: music_volume"};
    ASSERT_EQ(loaded.problems.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(loaded.problems[i].rfind(expected[i], 0), 0u) << loaded.problems[i];
    EXPECT_NE(loaded.problems[0].find("\"loud\""), std::string::npos);
    const Settings defaults;
    EXPECT_EQ(loaded.settings.musicVolume, defaults.musicVolume);
    EXPECT_EQ(loaded.settings.effectsVolume, defaults.effectsVolume);
    EXPECT_EQ(loaded.settings.fullScreen, defaults.fullScreen);
    EXPECT_EQ(loaded.settings.picture, defaults.picture);
    EXPECT_EQ(KeysOf(loaded.settings, KeyAction::Fire), KeysOf(defaults, KeyAction::Fire));
    EXPECT_EQ(KeysOf(loaded.settings, KeyAction::Up), KeysOf(defaults, KeyAction::Up));
}

TEST(Settings, GarbageAndHugeFilesNeverStopTheGame) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    garbage += "\nmusic_volume = 40\n" + std::string(3000, '=') + "\x1b[2J\n";
    LoadedSettings loaded = ParseSettings(garbage, SdlKeyNames());
    EXPECT_EQ(loaded.settings.musicVolume, 40);
    EXPECT_LE(loaded.problems.size(), 11u);  // a few lines, then one that says more were skipped
    for (const std::string& p : loaded.problems)
        EXPECT_EQ(p.find('\x1b'), std::string::npos) << "control bytes reach the terminal";

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
          "key_fire = Z, Space, Return", "key_up = Up", "key_catchup = B", "# Default: 100"}) {
        EXPECT_NE(written.find(key), std::string::npos) << key;
    }
    LoadedSettings reread = ParseSettings(written, SdlKeyNames());
    EXPECT_TRUE(reread.problems.empty());
    EXPECT_EQ(KeysOf(reread.settings, KeyAction::Fire), KeysOf(Settings{}, KeyAction::Fire));

    std::ofstream(path) << "music_volume = 7\n";
    EXPECT_EQ(LoadSettings(path, SdlKeyNames()).settings.musicVolume, 7);
    EXPECT_EQ(Slurp(path), "music_volume = 7\n");
}

TEST(Settings, ThePathFollowsXdgAndIgnoresARelativeConfigHome) {
    EXPECT_EQ(SettingsPath("/cfg", "/home/p"), "/cfg/velmora/settings.ini");
    EXPECT_EQ(SettingsPath("cfg", "/home/p"), "/home/p/.config/velmora/settings.ini");
    EXPECT_EQ(SettingsPath("", "/home/p"), "/home/p/.config/velmora/settings.ini");
    EXPECT_EQ(SettingsPath(nullptr, nullptr), "");
}
