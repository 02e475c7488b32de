#include "app/CommandLine.h"

#include <cstdio>
#include <string_view>

#include "app/BuildInfo.h"

ReadArguments ReadCommandLine(int argc, const char* const* argv,
                              std::span<const OptionRule> rules) {
    ReadArguments read;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::string_view name = arg.substr(0, arg.find('='));
        bool inlineValue = name.size() < arg.size();
        const OptionRule* rule = nullptr;
        for (const OptionRule& r : rules) {
            if (!rule && (name == r.name || (!r.alias.empty() && name == r.alias))) rule = &r;
        }
        if (!rule || (inlineValue && !rule->takesValue)) {
            read.error = arg.starts_with("-") ? "unknown option " + std::string(arg)
                                              : "unexpected argument " + std::string(arg);
            return read;
        }
        std::string value;
        if (rule->takesValue) {
            value = inlineValue ? std::string(arg.substr(name.size() + 1))
                                : (i + 1 < argc ? argv[++i] : "");
            if (value.empty()) {
                read.error = "option " + std::string(rule->name) + " needs a value";
                return read;
            }
        }
        read.given.push_back({rule->name, std::move(value)});
    }
    return read;
}

std::optional<int> AnswerFirst(const char* program, const FirstAnswer& asked,
                               const std::string& usage) {
    if (!asked.error.empty()) {
        std::fprintf(stderr, "%s: %s\n%s", program, asked.error.c_str(), usage.c_str());
        return 2;
    }
    if (asked.help) {
        std::fputs(usage.c_str(), stdout);
        return 0;
    }
    if (asked.version) {
        std::printf("%s %s\n", program, GameVersion());
        return 0;
    }
    return std::nullopt;
}

ParsedCommandLine ParseCommandLine(int argc, const char* const* argv) {
    static constexpr OptionRule kRules[] = {
        {"--help", "-h", false}, {"--version", "", false}, {"--fullscreen", "", false},
        {"--window", "", false}, {"--datadir", "", true},  {"--stage", "", true},
        {"--replay", "", true},  {"--level", "", true},    {"--practice", "", true},
        {"--watch", "", false},
    };
    ReadArguments read = ReadCommandLine(argc, argv, kRules);
    ParsedCommandLine parsed;
    parsed.error = read.error;
    CommandLine& o = parsed.options;
    for (const GivenOption& option : read.given) {
        const std::string_view name = option.name;
        if (name == "--help") o.help = true;
        if (name == "--version") o.version = true;
        if (name == "--fullscreen") o.fullScreen = true;
        if (name == "--window") o.fullScreen = false;
        if (name == "--datadir") o.dataDir = option.value;
        if (name == "--stage") o.stage = option.value;
        if (name == "--replay") o.replay = option.value;
        if (name == "--level") o.level = option.value;
        if (name == "--practice") o.practice = option.value;
        if (name == "--watch") o.watch = true;
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
           "  --stage STAGE     play this stage script: a file, one of the game's own by\n"
           "                    its name in any case (\"third stage\"), or all, the whole\n"
           "                    game\n"
           "  --level LEVEL     play at this level: easy, normal or hard\n"
           "  --practice SECTION  practise the stage from this section (its name or number)\n"
           "  --watch           with --stage: read the stage again whenever a file of it\n"
           "                    or its folder is saved, and play the practice on to where\n"
           "                    it was\n"
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
