#include "app/Settings.h"

#include <charconv>
#include <filesystem>
#include <iterator>
#include <sstream>

#include "util/AtomicFile.h"
#include "util/FileData.h"
#include "util/StringUtil.h"

namespace {

// A settings file is a few hundred bytes; anything much bigger is not one.
constexpr std::size_t kMaxBytes = 64 * 1024;
// A broken file says so in a few lines, not in thousands.
constexpr std::size_t kMaxProblems = 10;

constexpr const char* kPictureNames[] = {"aspect", "integer", "stretch"};

std::string Trim(std::string_view s) {
    const char* space = " \t\r";
    size_t first = s.find_first_not_of(space);
    if (first == std::string_view::npos) return "";
    return std::string(s.substr(first, s.find_last_not_of(space) - first + 1));
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = AsciiLower(c);
    return s;
}

// A value as the message shows it: short, and with nothing that upsets a terminal.
std::string Shown(const std::string& s) {
    constexpr size_t kShown = 40;
    std::string shown = s.substr(0, kShown);
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    }
    return s.size() > kShown ? shown + "..." : shown;
}

bool ParseVolume(const std::string& value, int& volume) {
    int v = 0;
    auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), v);
    if (error != std::errc() || end != value.data() + value.size() || v < 0 || v > 100) {
        return false;
    }
    volume = v;
    return true;
}

bool ParseYesNo(const std::string& value, bool& on) {
    std::string v = Lower(value);
    if (v == "yes" || v == "true" || v == "on" || v == "1") {
        on = true;
    } else if (v == "no" || v == "false" || v == "off" || v == "0") {
        on = false;
    } else {
        return false;
    }
    return true;
}

bool ParsePicture(const std::string& value, PictureFit& fit) {
    std::string v = Lower(value);
    for (int i = 0; i < static_cast<int>(std::size(kPictureNames)); ++i) {
        if (v == kPictureNames[i]) {
            fit = static_cast<PictureFit>(i);
            return true;
        }
    }
    return false;
}

bool ParseKeys(const std::string& value, const KeyNames& names, std::vector<int>& codes) {
    std::stringstream list(value);
    std::string name;
    while (std::getline(list, name, ',')) {
        int code = names.scancode(Trim(name));
        if (code <= 0) return false;
        codes.push_back(code);
    }
    return !codes.empty();
}

std::string KeyList(const KeyTable& keys, KeyAction action, const KeyNames& names) {
    std::string list;
    for (const KeyBinding& key : keys) {
        if (key.action != action) continue;
        if (!list.empty()) list += ", ";
        list += names.name(key.scancode);
    }
    return list;
}

// Applies one "key = value"; false, with what was wanted, when the value is unusable.
bool Apply(const std::string& key, const std::string& value, const KeyNames& names,
           Settings& settings, std::string& wanted) {
    if (key == "music_volume" || key == "effects_volume") {
        wanted = "a whole number from 0 to 100";
        return ParseVolume(value,
                           key == "music_volume" ? settings.musicVolume : settings.effectsVolume);
    }
    if (key == "fullscreen") {
        wanted = "yes or no";
        return ParseYesNo(value, settings.fullScreen);
    }
    if (key == "picture") {
        wanted = "aspect, integer or stretch";
        return ParsePicture(value, settings.picture);
    }
    for (int a = 0; a < kKeyActionCount; ++a) {
        auto action = static_cast<KeyAction>(a);
        if (key != SettingName(action)) continue;
        wanted = "key names separated by commas";
        std::vector<int> codes;
        if (!ParseKeys(value, names, codes)) return false;
        settings.keys = Rebind(settings.keys, action, codes);
        return true;
    }
    wanted.clear();
    return false;
}

}  // namespace

std::string SettingsPath(const char* xdgConfigHome, const char* home) {
    // XDG: a relative path in the variable is invalid and is ignored.
    if (xdgConfigHome && xdgConfigHome[0] == '/') {
        return std::string(xdgConfigHome) + "/velmora/settings.ini";
    }
    if (home && home[0]) return std::string(home) + "/.config/velmora/settings.ini";
    return "";
}

std::string DefaultSettingsText(const KeyNames& names) {
    Settings d;
    const std::string fullScreen = d.fullScreen ? "yes" : "no";
    const std::string picture = kPictureNames[static_cast<int>(d.picture)];
    std::string text =
        "# Velmora's settings, read at every start. Each line is \"key = value\"; lines\n"
        "# starting with # are comments. Delete this file to have the defaults written\n"
        "# again.\n"
        "\n"
        "# Volume of the music and of the sound effects, 0 (silent) to 100 (full).\n"
        "# Default: 100.\n"
        "music_volume = " +
        std::to_string(d.musicVolume) +
        "\n"
        "effects_volume = " +
        std::to_string(d.effectsVolume) +
        "\n"
        "\n"
        "# Start in full screen: yes or no. Default: " +
        fullScreen +
        ". Alt+Enter, F11 or a double\n"
        "# click on the window switch while the game runs.\n"
        "fullscreen = " +
        fullScreen +
        "\n"
        "\n"
        "# How the picture fills the window or the screen. Default: " +
        picture +
        ".\n"
        "#   aspect   as large as fits, in its own 4:3 shape, with black bars\n"
        "#   integer  the largest whole multiple of 640 x 480 that fits, centred\n"
        "#   stretch  over the whole window, whatever its shape\n"
        "picture = " +
        picture +
        "\n"
        "\n"
        "# Keys for each action, as SDL names them (Up, Left Shift, Keypad 8, A,\n"
        "# Space, Return, ...), several separated by commas. Esc always quits.\n"
        "# Defaults:\n";
    std::string lines;
    for (int a = 0; a < kKeyActionCount; ++a) {
        auto action = static_cast<KeyAction>(a);
        std::string line =
            std::string(SettingName(action)) + " = " + KeyList(d.keys, action, names) + "\n";
        text += "#   " + line;
        lines += line;
    }
    return text + lines;
}

LoadedSettings ParseSettings(const std::string& text, const KeyNames& names) {
    LoadedSettings loaded;
    auto report = [&loaded](int line, const std::string& what) {
        if (loaded.problems.size() < kMaxProblems) {
            loaded.problems.push_back("line " + std::to_string(line) + ": " + what);
        } else if (loaded.problems.size() == kMaxProblems) {
            loaded.problems.push_back("more lines that are not settings were skipped");
        }
    };
    std::stringstream lines(text);
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        std::string line = Trim(raw);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        size_t equals = line.find('=');
        if (equals == std::string::npos) {
            report(number, "not a setting (key = value); skipped");
            continue;
        }
        std::string key = Lower(Trim(line.substr(0, equals)));
        std::string value = Trim(line.substr(equals + 1));
        std::string wanted;
        if (Apply(key, value, names, loaded.settings, wanted)) continue;
        if (wanted.empty()) {
            report(number, "unknown setting \"" + Shown(key) + "\"; skipped");
        } else {
            report(number,
                   key + " = \"" + Shown(value) + "\" is not " + wanted + "; the default is used");
        }
    }
    return loaded;
}

LoadedSettings LoadSettings(const std::string& path, const KeyNames& names) {
    std::error_code missing;
    if (!std::filesystem::exists(path, missing)) {
        LoadedSettings defaults;
        std::filesystem::path folder = std::filesystem::path(path).parent_path();
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        std::string reason = error.message();
        if (error || !WriteFileAtomically(path, DefaultSettingsText(names), reason)) {
            defaults.problems.push_back("cannot write the default settings: " + reason);
        }
        return defaults;
    }
    std::string text, error;
    if (!ReadFileLimited(path, kMaxBytes, text, error)) {
        LoadedSettings defaults;
        defaults.problems.push_back(error + "; the defaults are used");
        return defaults;
    }
    return ParseSettings(text, names);
}
