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
