#pragma once
#include <optional>
#include <string>

// What the game was asked to do on its command line.
struct CommandLine {
    bool help = false;
    bool version = false;
    // --fullscreen or --window; otherwise the settings decide.
    std::optional<bool> fullScreen;
    std::string dataDir;   // --datadir: the folder that holds Media/
    std::string stage;     // --stage: a stage script to play instead of the pack's
    std::string replay;    // --replay: a recorded game to play back
    std::string level;     // --level: the level to play at, by name
    std::string practice;  // --practice: a section of the stage to practise, by name or number
};

struct ParsedCommandLine {
    CommandLine options;
    std::string error;  // empty when every argument was understood
};

// Options as "--name value" or "--name=value"; no positional arguments.
ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);
// The usage text --help prints, also shown under an error.
std::string Usage();
