#pragma once
// Settings as the file writes them, so a failed comparison says what differs.
#include <ostream>

#include "app/Settings.h"
#include "input/platform/SdlKeyNames.h"

inline void PrintTo(const Settings& settings, std::ostream* out) {
    const KeyNames names = SdlKeyNames();
    for (std::string_view key : OptionKeys())
        *out << "\n  " << key << " = " << SettingValue(settings, key, names);
    *out << "\n  level = " << settings.level << "\n  stage = " << settings.stage;
}
