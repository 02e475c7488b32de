#pragma once
// What a command line may choose to play (a stage file, a level, a section to
// practise), checked one way for the game and the simulator alike.
#include <string>

struct PlayChoice {
    std::string stage, level, practice;  // empty: not chosen
};

struct PlayChoiceCheck {
    // Empty when all of it can be played; else what is wrong, for stderr after
    // the program's name. The exit status is then 2.
    std::string refusal;
    bool showUsage = false;  // the usage follows the refusal
    // The chosen section's practice start; -1 when none was chosen.
    int practiceStart = -1;
};

// mediaDir: the pack's folder, whose own stage is practised when no stage file is chosen.
PlayChoiceCheck CheckPlayChoice(const PlayChoice& choice, const std::string& mediaDir);
