#pragma once
// The player's settings file: volumes, full screen at start, how the picture
// fills the window, and the keys. Read at start; written, with every key and
// its default, only when there is none.
#include <string>
#include <vector>

#include "graphics/PictureFit.h"
#include "input/KeyTable.h"

struct Settings {
    int musicVolume = 100;    // 0..100
    int effectsVolume = 100;  // 0..100
    bool fullScreen = false;
    PictureFit picture = PictureFit::Aspect;
    KeyTable keys = DefaultKeys();
};

struct LoadedSettings {
    Settings settings;
    // One line for each value that was not used, with its line and key.
    std::vector<std::string> problems;
};

// $XDG_CONFIG_HOME/velmora/settings.ini, or ~/.config/velmora/settings.ini when
// XDG_CONFIG_HOME is unset, empty or relative; empty without either.
std::string SettingsPath(const char* xdgConfigHome, const char* home);
// The file's text as written for a new player.
std::string DefaultSettingsText(const KeyNames& names);
// Reads settings from a file's text; anything unusable keeps its default.
LoadedSettings ParseSettings(const std::string& text, const KeyNames& names);
// Reads the file, or writes the defaults there (with its folder) when it is missing.
LoadedSettings LoadSettings(const std::string& path, const KeyNames& names);
