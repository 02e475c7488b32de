#pragma once
// The levels a game can be played at: a name and the difficulty the enemies'
// fire is written for. EASY is the stage as written; a level more is a row.
#include <span>
#include <string>
#include <string_view>

struct Level {
    const char* name;  // as the title shows it
    float difficulty;
    float patternRank;  // what pattern files read as $rank
};

inline constexpr Level kLevels[] = {
    {"EASY", 0.0f, 0.2f},
    {"NORMAL", 0.5f, 0.5f},
    {"HARD", 1.0f, 0.8f},
};

inline std::span<const Level> Levels() {
    return kLevels;
}
// The level of that name in any letter case ("normal"), or null.
const Level* FindLevel(std::string_view name);
// The names, lower-cased and separated by commas: what the command line takes.
std::string LevelNames();
