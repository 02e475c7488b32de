#pragma once
// The settings file, settings.ini: read at start, written with the defaults
// when there is none, and changed one setting at a time in place, the rest of
// the player's text kept as it was.
#include <span>
#include <string>
#include <string_view>

#include "app/Settings.h"

// $XDG_CONFIG_HOME/velmora/settings.ini, or ~/.config/velmora/settings.ini when
// XDG_CONFIG_HOME is unset, empty or relative; empty without either.
std::string SettingsPath(const char* xdgConfigHome, const char* home);
// Reads the file, or writes the defaults there (with its folder) when there is
// nothing at the path; a link is read through and never replaced.
LoadedSettings LoadSettings(const std::string& path, const KeyNames& names);

struct SettingChange {
    std::string key, value;
};

// The text with each key set on the line the reader takes it from (the last
// that sets it), in that line's own spelling, spacing and line end; a key no
// line sets is added at the end. Every other byte stays as it was.
std::string EditSettingsText(std::string_view text, std::span<const SettingChange> changes);

struct SettingsWrite {
    bool written = false;
    // For the screen, in the font's letters ("CANNOT WRITE SETTINGS: READ-ONLY");
    // empty when written.
    std::string reason;
    // For stderr: the file and what the system said.
    std::string detail;
};

// Sets the keys in the file and writes it as one step (a new file that takes
// the old one's name). Through a link to its target; never over a file that
// cannot be read whole, is read-only, or lies in a read-only folder. A missing
// file is written with the defaults and the changes.
SettingsWrite WriteSettings(const std::string& path, std::span<const SettingChange> changes,
                            const KeyNames& names);
// Writes the settings' values of the given keys (SettingValue).
SettingsWrite SaveSettings(const std::string& path, const Settings& settings,
                           std::span<const std::string_view> keys, const KeyNames& names);
SettingsWrite SaveSetting(const std::string& path, const Settings& settings, std::string_view key,
                          const KeyNames& names);
