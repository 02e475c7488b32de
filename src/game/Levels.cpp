#include "game/Levels.h"

#include "util/StringUtil.h"

const Level* FindLevel(std::string_view name) {
    for (const Level& level : kLevels) {
        std::string_view own = level.name;
        if (own.size() != name.size()) continue;
        bool same = true;
        for (std::size_t i = 0; i < own.size() && same; ++i)
            same = AsciiLower(own[i]) == AsciiLower(name[i]);
        if (same) return &level;
    }
    return nullptr;
}

std::string LevelNames() {
    std::string names;
    for (const Level& level : kLevels) {
        if (!names.empty()) names += ", ";
        for (const char* c = level.name; *c; ++c)
            names += AsciiLower(*c);
    }
    return names;
}
