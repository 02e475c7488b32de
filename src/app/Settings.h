#pragma once
// The player's settings: volumes, full screen at start, how the picture fills
// the window, the keys, the pad's buttons, and the level and stage the title
// chose last. Read from the settings file's text and written back as text.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/PictureFit.h"
#include "input/KeyTable.h"
#include "input/PadTable.h"

// A player's name as the high scores keep it: upper case letters, digits,
// blanks and a few marks the game's font draws, at most kMaxPlayerName;
// empty when nothing is left.
inline constexpr std::size_t kMaxPlayerName = 10;
std::string TableName(const std::string& name);

inline constexpr int kDimmestBackground = 25;

struct Settings {
    int musicVolume = 100;    // 0..100
    int effectsVolume = 100;  // 0..100
    bool fullScreen = false;
    PictureFit picture = PictureFit::Aspect;
    KeyTable keys = DefaultKeys();
    PadTable pad = DefaultPad();
    // The level's name; the game checks it against its levels.
    std::string level = "easy";
    // A file name in the player's stages folder; empty for the game's own stage.
    std::string stage;
    // Esc in a game quits at once, as it first did; otherwise it pauses.
    bool escQuits = false;
    // The name the high scores are kept under; empty until the player gave one.
    std::string playerName;
    // HOW TO PLAY was shown before the first game.
    bool shownHowToPlay = false;
    // How bright the video behind the field is, in percent: 25 to 100.
    int background = 100;
    // The video chosen with VIDEO CHANGE; empty for the game's own.
    std::string video;
    bool operator==(const Settings&) const = default;
};

// The keys of the file besides key_* (SettingName) and pad_* (PadSettingName).
namespace setting {
constexpr std::string_view kMusicVolume = "music_volume";
constexpr std::string_view kEffectsVolume = "effects_volume";
constexpr std::string_view kFullScreen = "fullscreen";
constexpr std::string_view kPicture = "picture";
constexpr std::string_view kLevel = "level";
constexpr std::string_view kStage = "stage";
constexpr std::string_view kEscQuits = "esc_quits";
constexpr std::string_view kPlayerName = "name";
constexpr std::string_view kShownHowToPlay = "shown_how_to_play";
constexpr std::string_view kBackground = "background";
constexpr std::string_view kVideo = "video";
}  // namespace setting

struct LoadedSettings {
    Settings settings;
    // One line for each value that was not used, with its line and key.
    std::vector<std::string> problems;
};

// The file's text as written for a new player.
std::string DefaultSettingsText(const KeyNames& names);
// Reads settings from a file's text; anything unusable keeps its default.
LoadedSettings ParseSettings(const std::string& text, const KeyNames& names);

// A setting's value as the file writes it ("Z, Space, Return"); empty for a
// key that is no setting.
std::string SettingValue(const Settings& settings, std::string_view key, const KeyNames& names);
// Every key the options screen changes, in the order of the default file.
std::span<const std::string_view> OptionKeys();
// The options screen's settings at their defaults; the title's level and stage kept.
Settings WithDefaultOptions(const Settings& settings);
