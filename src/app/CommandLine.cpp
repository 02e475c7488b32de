#include "app/CommandLine.h"

#include <string_view>

#include "app/BuildInfo.h"

namespace {

// The options that take a value, and where it goes.
std::string* ValueSlot(std::string_view name, CommandLine& options) {
    if (name == "--datadir") return &options.dataDir;
    if (name == "--stage") return &options.stage;
    if (name == "--replay") return &options.replay;
    if (name == "--level") return &options.level;
    if (name == "--practice") return &options.practice;
    return nullptr;
}

bool ApplyFlag(std::string_view name, CommandLine& options) {
    if (name == "--help" || name == "-h") {
        options.help = true;
    } else if (name == "--version") {
        options.version = true;
    } else if (name == "--fullscreen") {
        options.fullScreen = true;
    } else if (name == "--window") {
        options.fullScreen = false;
    } else {
        return false;
    }
    return true;
}

}  // namespace

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv) {
    ParsedCommandLine parsed;
    CommandLine& options = parsed.options;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view name = arg.substr(0, arg.find('='));
        bool inlineValue = name.size() < arg.size();
        if (std::string* slot = ValueSlot(name, options)) {
            if (inlineValue) {
                *slot = arg.substr(name.size() + 1);
            } else {
                *slot = i + 1 < argc ? argv[++i] : "";
            }
            if (slot->empty()) {
                parsed.error = "option " + std::string(name) + " needs a value";
                return parsed;
            }
        } else if (inlineValue || !ApplyFlag(name, options)) {
            parsed.error = arg.starts_with("-") ? "unknown option " + std::string(arg)
                                                : "unexpected argument " + std::string(arg);
            return parsed;
        }
    }
    return parsed;
}

std::string Usage() {
    return "Usage: velmora [OPTION]...\n"
           "A 3D shoot-'em-up: fly, fire, graze the bullets and beat the boss.\n"
           "\n"
           "  --fullscreen      start in full screen\n"
           "  --window          start in a window\n"
           "  --datadir DIR     take the game's files from DIR/Media\n"
           "  --stage FILE      play this stage script\n"
           "  --level LEVEL     play at this level: easy, normal or hard\n"
           "  --practice SECTION  practise the stage from this section (its name or number)\n"
           "  --replay FILE     watch a recorded game (exit 0: it ended as recorded,\n"
           "                    1: it went its own way, 3: it was left before its end)\n"
           "  -h, --help        show this help and exit\n"
           "  --version         show the version and exit\n"
           "\n"
           "Keys: arrows move, Z fires, X lets the options hover, C pauses, Esc quits;\n"
           "Alt+Enter or F11 switches full screen. Settings (volumes, keys, how the\n"
           "picture fills the screen): $XDG_CONFIG_HOME/velmora/settings.ini, by\n"
           "default ~/.config/velmora/settings.ini. See velmora(6).\n"
           "\n"
           "velmora " +
           std::string(GameVersion()) + "\n";
}
