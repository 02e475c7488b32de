#include "app/Settings.h"

#include <charconv>
#include <cstdio>
#include <iterator>
#include <map>
#include <sstream>

#include "app/SettingsLine.h"
#include "util/StringUtil.h"

namespace {

// A broken file says so in a few lines, not in thousands.
constexpr std::size_t kMaxProblems = 10;
// Longer file names are refused by the file systems the game runs on.
constexpr std::size_t kMaxFileName = 255;

constexpr const char* kPictureNames[] = {"aspect", "integer", "stretch"};
static_assert(std::size(kPictureNames) == static_cast<std::size_t>(PictureFit::Stretch) + 1);

std::string Lower(std::string s) {
    for (char& c : s)
        c = AsciiLower(c);
    return s;
}

// A value as a message shows it: short, with control characters and bytes past
// ASCII as \xNN, so nothing of a garbled file upsets the terminal.
std::string Shown(std::string_view s) {
    constexpr size_t kShown = 40;
    std::string shown;
    for (char c : s.substr(0, kShown)) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return s.size() > kShown ? shown + "..." : shown;
}

std::string Quoted(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "\"" : ", \"") + Shown(name) + "\"";
    return list;
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

// Only a name inside the stages folder: never a way out of it.
bool IsStageFileName(const std::string& value) {
    if (value.size() > kMaxFileName || value == "." || value == "..") return false;
    for (char c : value) {
        if (c == '/' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

// What one "key = value" line did: used, or not with what was wanted, and
// any names of a list that were left out.
struct Applied {
    bool used = false;
    std::string wanted;  // empty for a key that is no setting
    std::vector<std::string> notes;
};

// A list of keys or buttons is used with the names it can use; those it
// cannot are said, and with none left what stood before stays (kept: how
// that is said).
void NoteLeftOut(const std::vector<std::string>& unknown, const std::vector<std::string>& refused,
                 std::string_view why, std::string_view kind, std::string_view kept,
                 Applied& applied) {
    std::string rest = applied.used ? "the others are used" : std::string(kept);
    if (!unknown.empty()) {
        applied.notes.push_back("unknown " + std::string(kind) + (unknown.size() > 1 ? "s " : " ") +
                                Quoted(unknown) + "; " + rest);
    }
    if (!refused.empty())
        applied.notes.push_back(Quoted(refused) + ": " + std::string(why) + "; " + rest);
}

Applied Apply(const std::string& key, const std::string& value, std::string_view kept,
              const KeyNames& names, Settings& settings) {
    Applied applied;
    if (key == setting::kMusicVolume || key == setting::kEffectsVolume) {
        applied.wanted = "a whole number from 0 to 100";
        applied.used = ParseVolume(
            value, key == setting::kMusicVolume ? settings.musicVolume : settings.effectsVolume);
    } else if (key == setting::kFullScreen) {
        applied.wanted = "yes or no";
        applied.used = ParseYesNo(value, settings.fullScreen);
    } else if (key == setting::kEscQuits) {
        applied.wanted = "yes or no";
        applied.used = ParseYesNo(value, settings.escQuits);
    } else if (key == setting::kBackground) {
        applied.wanted = "a whole number from 25 to 100";
        int percent = 0;
        applied.used = ParseVolume(value, percent) && percent >= kDimmestBackground;
        if (applied.used) settings.background = percent;
    } else if (key == setting::kVideo) {
        applied.wanted = "a video file's path, or nothing";
        applied.used = value.find('\0') == std::string::npos;
        if (applied.used) settings.video = value;
    } else if (key == setting::kShownHowToPlay) {
        applied.wanted = "yes or no";
        applied.used = ParseYesNo(value, settings.shownHowToPlay);
    } else if (key == setting::kPlayerName) {
        applied.wanted = "a name of letters, digits and blanks, at most 10";
        applied.used = !TableName(value).empty() || value.empty();
        if (applied.used) settings.playerName = TableName(value);
    } else if (key == setting::kPicture) {
        applied.wanted = "aspect, integer or stretch";
        applied.used = ParsePicture(value, settings.picture);
    } else if (key == setting::kLevel) {
        applied.wanted = "a level's name";
        applied.used = !value.empty();
        if (applied.used) settings.level = value;
    } else if (key == setting::kStage) {
        applied.wanted = "a file name in the stages folder, or nothing";
        applied.used = IsStageFileName(value);
        if (applied.used) settings.stage = value;
    }
    if (!applied.wanted.empty()) return applied;
    for (int a = 0; a < kKeyActionCount; ++a) {
        auto action = static_cast<KeyAction>(a);
        if (key != SettingName(action)) continue;
        applied.wanted = "key names separated by commas";
        KeyListReading reading = ReadKeyList(value, names);
        applied.used = !reading.scancodes.empty();
        if (applied.used) settings.keys = Rebind(settings.keys, action, reading.scancodes);
        NoteLeftOut(reading.unknown, reading.reserved,
                    "the game's own (Esc leaves, F11 and Alt+Enter switch full screen)", "key",
                    kept, applied);
        return applied;
    }
    for (int b = 0; b < kButtonCount; ++b) {
        auto action = static_cast<PadButton>(b);
        if (key != PadSettingName(action)) continue;
        applied.wanted = "button names separated by commas";
        ButtonListReading reading = ReadButtonList(value);
        applied.used = !reading.buttons.empty();
        if (applied.used) settings.pad = Rebind(settings.pad, action, reading.buttons);
        NoteLeftOut(reading.unknown, reading.moving, "the D-pad moves the ship", "button", kept,
                    applied);
        return applied;
    }
    return applied;
}

}  // namespace

std::string TableName(const std::string& name) {
    std::string kept;
    for (char c : TrimBlanks(name)) {
        char u = AsciiUpper(c);
        bool drawn = (u >= 'A' && u <= 'Z') || IsDigit(u) || u == ' ' || u == '-' || u == '.';
        if (drawn && kept.size() < kMaxPlayerName) kept += u;
    }
    return TrimBlanks(kept);
}

std::string SettingValue(const Settings& settings, std::string_view key, const KeyNames& names) {
    if (key == setting::kMusicVolume) return std::to_string(settings.musicVolume);
    if (key == setting::kEffectsVolume) return std::to_string(settings.effectsVolume);
    if (key == setting::kFullScreen) return settings.fullScreen ? "yes" : "no";
    if (key == setting::kEscQuits) return settings.escQuits ? "yes" : "no";
    if (key == setting::kShownHowToPlay) return settings.shownHowToPlay ? "yes" : "no";
    if (key == setting::kBackground) return std::to_string(settings.background);
    if (key == setting::kVideo) return settings.video;
    if (key == setting::kPlayerName) return settings.playerName;
    if (key == setting::kPicture) return kPictureNames[static_cast<int>(settings.picture)];
    if (key == setting::kLevel) return settings.level;
    if (key == setting::kStage) return settings.stage;
    for (int a = 0; a < kKeyActionCount; ++a) {
        auto action = static_cast<KeyAction>(a);
        if (key == SettingName(action)) return KeyListText(settings.keys, action, names);
    }
    for (int b = 0; b < kButtonCount; ++b) {
        auto action = static_cast<PadButton>(b);
        if (key == PadSettingName(action)) return ButtonListText(settings.pad, action);
    }
    return "";
}

std::span<const std::string_view> OptionKeys() {
    static const std::vector<std::string_view> keys = [] {
        std::vector<std::string_view> list = {setting::kMusicVolume, setting::kEffectsVolume,
                                              setting::kFullScreen, setting::kPicture,
                                              setting::kBackground};
        for (int a = 0; a < kKeyActionCount; ++a)
            list.push_back(SettingName(static_cast<KeyAction>(a)));
        for (int b = 0; b < kButtonCount; ++b)
            list.push_back(PadSettingName(static_cast<PadButton>(b)));
        return list;
    }();
    return keys;
}

Settings WithDefaultOptions(const Settings& settings) {
    Settings defaults;
    defaults.level = settings.level;
    defaults.stage = settings.stage;
    defaults.escQuits = settings.escQuits;
    defaults.playerName = settings.playerName;
    defaults.video = settings.video;
    defaults.shownHowToPlay = settings.shownHowToPlay;
    return defaults;
}

std::string DefaultSettingsText(const KeyNames& names) {
    const Settings d;
    auto line = [&](std::string_view key) {
        std::string value = SettingValue(d, key, names);
        return std::string(key) + (value.empty() ? " =" : " = " + value) + "\n";
    };
    std::string text =
        "# Velmora's settings, read at every start. Each line is \"key = value\"; lines\n"
        "# starting with # are comments. Delete this file to have the defaults written\n"
        "# again.\n"
        "\n"
        "# Volume of the music and of the sound effects, 0 (silent) to 100 (full).\n"
        "# Default: " +
        SettingValue(d, setting::kMusicVolume, names) + ".\n" + line(setting::kMusicVolume) +
        line(setting::kEffectsVolume) +
        "\n"
        "# Start in full screen: yes or no. Default: " +
        SettingValue(d, setting::kFullScreen, names) +
        ". Alt+Enter, F11 or a double\n"
        "# click on the window switch while the game runs.\n" +
        line(setting::kFullScreen) +
        "\n"
        "# How the picture fills the window or the screen. Default: " +
        SettingValue(d, setting::kPicture, names) +
        ".\n"
        "#   aspect   as large as fits, in its own 4:3 shape, with black bars\n"
        "#   integer  the largest whole multiple of 640 x 480 that fits, centred\n"
        "#   stretch  over the whole window, whatever its shape\n" +
        line(setting::kPicture) +
        "\n"
        "# How bright the video behind the field is, in percent, 25 to 100: less\n"
        "# keeps the bullets clear over a bright video. Default: " +
        SettingValue(d, setting::kBackground, names) + ".\n" + line(setting::kBackground) +
        "\n"
        "# Esc in a game: no opens the pause menu, yes quits the game at once.\n"
        "# Default: " +
        SettingValue(d, setting::kEscQuits, names) + ".\n" + line(setting::kEscQuits) +
        "\n"
        "# Keys for each action, as SDL names them (Up, Left Shift, Keypad 8, A,\n"
        "# Space, Return, Comma, ...), several separated by commas. Esc, F11 and Alt\n"
        "# stay the game's own. Defaults:\n";
    std::string lines;
    for (int a = 0; a < kKeyActionCount; ++a) {
        std::string keyLine = line(SettingName(static_cast<KeyAction>(a)));
        text += "#   " + keyLine;
        lines += keyLine;
    }
    text += lines +
            "\n"
            "# Buttons of the game pad for each action: A, B, X, Y, Back, Guide, Start,\n"
            "# LeftStick, RightStick, LeftShoulder, RightShoulder, Misc1, Paddle1 to\n"
            "# Paddle4, Touchpad; several separated by commas. The stick and the D-pad\n"
            "# move. A pad SDL does not know plays with its first four buttons. Defaults:\n";
    lines.clear();
    for (int b = 0; b < kButtonCount; ++b) {
        std::string padLine = line(PadSettingName(static_cast<PadButton>(b)));
        text += "#   " + padLine;
        lines += padLine;
    }
    return text + lines +
           "\n"
           "# The level and the stage the title chose last. The level: easy, normal\n"
           "# or hard. The stage: the name of a file in the stages folder\n"
           "# ($XDG_DATA_HOME/velmora/stages/, ~/.local/share/velmora/stages/),\n"
           "# game: and the file's name for another of the game's own, or nothing\n"
           "# for the game's first stage. Defaults: easy and nothing.\n" +
           line(setting::kLevel) + line(setting::kStage) +
           "\n"
           "# The video behind the field, as VIDEO CHANGE chose it (its path), or\n"
           "# nothing for the game's own. Default: nothing.\n" +
           line(setting::kVideo) +
           "\n"
           "# The name the high scores are kept under (asked after the first game\n"
           "# that makes a table), and whether HOW TO PLAY was shown before the first\n"
           "# game. Defaults: nothing and no.\n" +
           line(setting::kPlayerName) + line(setting::kShownHowToPlay);
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
    if (IsUtf16(text)) {
        loaded.problems.push_back(
            "the file is UTF-16 text, which is not read; save it as UTF-8 (the defaults are "
            "used)");
        return loaded;
    }
    std::stringstream lines{std::string(WithoutMark(text))};
    std::map<std::string, int> usedAt;
    std::string raw;
    for (int number = 1; std::getline(lines, raw); ++number) {
        auto [kind, key, value] = ReadSettingLine(raw);
        if (kind == SettingLine::Blank) continue;
        if (kind == SettingLine::NotASetting) {
            report(number, "not a setting (key = value); skipped");
            continue;
        }
        // A value not used leaves what an earlier line of the key set.
        auto earlier = usedAt.find(key);
        std::string kept = earlier == usedAt.end()
                               ? "the default is used"
                               : "line " + std::to_string(earlier->second) + "'s value is used";
        Applied applied = Apply(key, value, kept, names, loaded.settings);
        if (applied.used) usedAt[key] = number;
        for (const std::string& note : applied.notes)
            report(number, key + ": " + note);
        if (applied.used || !applied.notes.empty()) continue;
        if (applied.wanted.empty()) {
            report(number, "unknown setting \"" + Shown(key) + "\"; skipped");
        } else {
            report(number,
                   key + " = \"" + Shown(value) + "\" is not " + applied.wanted + "; " + kept);
        }
    }
    return loaded;
}
