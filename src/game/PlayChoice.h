#pragma once
// What a command line may choose to play (a stage file, a level, a section to
// practise), checked one way for the game and the simulator alike.
#include <functional>
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

// What --stage names: a file, else one of the game's own stages by its name in
// any letter case ("third stage"), else "all", the whole game. Unknown names are
// left as they are, for the file check to refuse.
struct NamedStage {
    std::string stage;  // the file; empty for the whole game
    bool wholeGame = false;
};
NamedStage StageNamed(const std::string& stage, const std::string& mediaDir,
                      const std::function<void(const std::string&)>& say);

// mediaDir: the pack's folder, whose own stage is practised when no stage file is chosen.
PlayChoiceCheck CheckPlayChoice(const PlayChoice& choice, const std::string& mediaDir);
