#include "app/SettingsFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>

#include "app/SettingsLine.h"
#include "util/AtomicFile.h"
#include "util/FileData.h"

namespace fs = std::filesystem;

namespace {

// A write takes milliseconds; a new file left this long was cut short.
constexpr std::chrono::seconds kWriteCutShort{60};

// A line of the text with its '\n', if it has one.
std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        size_t end = text.find('\n');
        end = end == std::string_view::npos ? text.size() : end + 1;
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return lines;
}

// The line with its value replaced; what comes before the value (the key as
// the player spelt it, the '=' and the blanks after it) and the line end stay.
std::string WithValue(const std::string& line, const std::string& value) {
    size_t endAt = line.find_last_not_of("\r\n") + 1;
    size_t valueAt = line.find_first_not_of(" \t", line.find('=') + 1);
    bool hadValue = valueAt < endAt;
    std::string kept = line.substr(0, hadValue ? valueAt : endAt);
    if (value.empty()) {
        kept.erase(kept.find_last_not_of(" \t") + 1);
    } else if (!hadValue && kept.ends_with('=')) {
        kept += ' ';
    }
    return kept + value + line.substr(endAt);
}

// Keys are the file's own words; a value must come back as it went, on one line.
bool CanWrite(const SettingChange& change) {
    bool keyOk =
        !change.key.empty() && std::all_of(change.key.begin(), change.key.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        });
    bool valueOk = std::none_of(change.value.begin(), change.value.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    return keyOk && valueOk && TrimBlanks(change.value) == change.value;
}

SettingsWrite Refused(const std::string& path, const std::string& why, const std::string& detail) {
    return {false, "CANNOT WRITE SETTINGS: " + why, path + ": " + detail};
}

SettingsWrite FromError(const std::string& path, std::error_code error) {
    switch (error.value()) {
        case EACCES:
        case EPERM:
        case EROFS:
            return Refused(path, "READ-ONLY", error.message());
        case ENOSPC:
        case EDQUOT:
            return Refused(path, "DISK FULL", error.message());
        default:
            return {false, "CANNOT WRITE SETTINGS", path + ": " + error.message()};
    }
}

// A file or folder the player made read-only is meant to stay as it is; root
// could write it anyway, so its mode bits count too.
bool Writable(const std::string& path, mode_t mode) {
    return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

// Where the file really is: the path, or the end of the links it leads
// through. Nothing, with what the screen says and why, for a link that leads
// nowhere.
std::optional<std::string> Target(const std::string& path, std::string& reason, std::string& why) {
    std::error_code error;
    std::optional<std::string> target = WriteTarget(path, error);
    if (target) return target;
    if (error == std::errc::too_many_symbolic_link_levels) {
        reason = "LINK LOOP";
        why = "the link leads round in a loop; it is left alone";
    } else if (error == std::errc::no_such_file_or_directory) {
        reason = "BROKEN LINK";
        why = "the link leads nowhere; it is left alone";
    } else {
        reason = "BROKEN LINK";
        why = error.message();
    }
    return std::nullopt;
}

}  // namespace

std::string SettingsPath(const char* xdgConfigHome, const char* home) {
    // XDG: a relative path in the variable is invalid and is ignored.
    if (xdgConfigHome && xdgConfigHome[0] == '/') {
        return std::string(xdgConfigHome) + "/velmora/settings.ini";
    }
    if (home && home[0] == '/') return std::string(home) + "/.config/velmora/settings.ini";
    return "";
}

LoadedSettings LoadSettings(const std::string& path, const KeyNames& names) {
    std::error_code error;
    // Only where there is nothing at all: a link that leads nowhere is the player's.
    if (fs::symlink_status(path, error).type() == fs::file_type::not_found) {
        LoadedSettings defaults;
        fs::create_directories(fs::path(path).parent_path(), error);
        std::string reason = error.message();
        if (error || !WriteFileAtomically(path, DefaultSettingsText(names), reason)) {
            defaults.problems.push_back("cannot write the default settings: " + reason);
        }
        return defaults;
    }
    std::string text, problem, reason;
    if (!Target(path, reason, problem) ||
        !ReadFileLimited(path, kMaxSettingsBytes, text, problem)) {
        LoadedSettings defaults;
        defaults.problems.push_back(problem + "; the defaults are used");
        return defaults;
    }
    return ParseSettings(text, names);
}

std::string EditSettingsText(std::string_view text, std::span<const SettingChange> changes) {
    std::string_view body = WithoutMark(text);
    std::vector<std::string> lines = Lines(body);
    size_t firstEnd = body.find('\n');
    std::string newline =
        firstEnd != std::string_view::npos && firstEnd > 0 && body[firstEnd - 1] == '\r' ? "\r\n"
                                                                                         : "\n";
    for (const SettingChange& change : changes) {
        auto last = std::find_if(lines.rbegin(), lines.rend(), [&](const std::string& line) {
            SettingLine read = ReadSettingLine(line.substr(0, line.find('\n')));
            return read.kind == SettingLine::Setting && read.key == change.key;
        });
        if (last != lines.rend()) {
            *last = WithValue(*last, change.value);
            continue;
        }
        if (!lines.empty() && !lines.back().ends_with('\n')) lines.back() += newline;
        lines.push_back(change.key + (change.value.empty() ? " =" : " = " + change.value) +
                        newline);
    }
    std::string edited(text.substr(0, text.size() - body.size()));
    for (const std::string& line : lines)
        edited += line;
    return edited;
}

SettingsWrite WriteSettings(const std::string& path, std::span<const SettingChange> changes,
                            const KeyNames& names) {
    if (path.empty())
        return {false, "CANNOT WRITE SETTINGS: NO HOME FOLDER",
                "neither XDG_CONFIG_HOME nor HOME is set"};
    for (const SettingChange& change : changes) {
        if (!CanWrite(change))
            return Refused(path, "BAD VALUE", "a value cannot be written as one line of the file");
    }
    std::string reason, why;
    std::optional<std::string> target = Target(path, reason, why);
    if (!target) return Refused(path, reason, why);
    // What a write killed half way left; one under way in another game is
    // younger than this and goes on.
    RemoveLeftoverTemporaries(*target, kWriteCutShort);

    std::string text;
    struct stat info {};
    if (lstat(target->c_str(), &info) != 0) {
        if (errno != ENOENT)
            return FromError(path, std::error_code(errno, std::generic_category()));
        std::error_code error;
        fs::create_directories(fs::path(*target).parent_path(), error);
        if (error) return FromError(path, error);
        text = DefaultSettingsText(names);
    } else if (S_ISDIR(info.st_mode)) {
        return Refused(path, "IT IS A FOLDER", "a folder stands where the file should be");
    } else if (!S_ISREG(info.st_mode)) {
        return Refused(path, "NOT A FILE", "not a regular file");
    } else {
        if (!Writable(*target, info.st_mode))
            return Refused(path, "READ-ONLY", "the file is read-only");
        std::string problem;
        if (!ReadFileLimited(*target, kMaxSettingsBytes, text, problem))
            return Refused(
                path,
                info.st_size > static_cast<off_t>(kMaxSettingsBytes) ? "TOO LARGE" : "UNREADABLE",
                problem);
        if (IsUtf16(text)) return Refused(path, "NOT UTF-8", "the file is UTF-16 text");
    }
    fs::path parent = fs::path(*target).parent_path();
    const std::string folder = parent.empty() ? std::string(".") : parent.string();
    if (stat(folder.c_str(), &info) == 0 && !Writable(folder, info.st_mode))
        return Refused(path, "READ-ONLY", "the folder " + folder + " is read-only");

    std::string edited = EditSettingsText(text, changes);
    if (edited.size() > kMaxSettingsBytes)
        return Refused(path, "TOO LARGE", "the file would grow past what is read");
    std::error_code error;
    if (!WriteFileAtomically(*target, edited, error)) return FromError(path, error);
    return {true, "", ""};
}

SettingsWrite SaveSettings(const std::string& path, const Settings& settings,
                           std::span<const std::string_view> keys, const KeyNames& names) {
    std::vector<SettingChange> changes;
    for (std::string_view key : keys)
        changes.push_back({std::string(key), SettingValue(settings, key, names)});
    return WriteSettings(path, changes, names);
}

SettingsWrite SaveSetting(const std::string& path, const Settings& settings, std::string_view key,
                          const KeyNames& names) {
    return SaveSettings(path, settings, {&key, 1}, names);
}
