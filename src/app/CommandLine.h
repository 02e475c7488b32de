#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// An option a program of the game takes: its name ("--level"), another name
// or none ("-h"), and whether a value follows it.
struct OptionRule {
    std::string_view name, alias;
    bool takesValue;
};

struct GivenOption {
    std::string_view name;  // as its rule names it
    std::string value;
};

struct ReadArguments {
    std::vector<GivenOption> given;  // in the order given
    std::string error;               // empty when every argument was understood
};

// Every program of the game reads its arguments so: "--name value" or
// "--name=value", no positional arguments; an unknown option, a value missing
// or empty, or one given to an option that takes none is an error.
ReadArguments ReadCommandLine(int argc, const char* const* argv, std::span<const OptionRule> rules);

// What every program of the game answers before anything else: an error with
// the usage on stderr (2), --help's usage or --version's line on stdout (0).
// Nothing when the program goes on.
struct FirstAnswer {
    std::string error;
    bool help = false, version = false;
};
std::optional<int> AnswerFirst(const char* program, const FirstAnswer& asked,
                               const std::string& usage);

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
    bool watch = false;    // --watch: read the stage again when a file of it is saved
};

struct ParsedCommandLine {
    CommandLine options;
    std::string error;  // empty when every argument was understood
};

// Options as "--name value" or "--name=value"; no positional arguments.
ParsedCommandLine ParseCommandLine(int argc, const char* const* argv);
// The usage text --help prints, also shown under an error.
std::string Usage();
