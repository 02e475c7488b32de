#pragma once
// The settings file, settings.ini: read at start, written with the defaults
// when there is none.
#include <string>

#include "app/Settings.h"

// $XDG_CONFIG_HOME/velmora/settings.ini, or ~/.config/velmora/settings.ini when
// XDG_CONFIG_HOME is unset, empty or relative; empty without either.
std::string SettingsPath(const char* xdgConfigHome, const char* home);
// Reads the file, or writes the defaults there (with its folder) when there is
// nothing at the path; a link is read through and never replaced.
LoadedSettings LoadSettings(const std::string& path, const KeyNames& names);
