#include "app/SettingsFile.h"

#include <filesystem>
#include <optional>

#include "app/SettingsLine.h"
#include "util/AtomicFile.h"
#include "util/FileData.h"

namespace fs = std::filesystem;

namespace {

// Where the file really is: the path, or the end of the links it leads
// through. Nothing, with what the screen says and why, for a link that leads
// nowhere.
std::optional<std::string> Target(const std::string& path, std::string& reason, std::string& why) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
    fs::path target = fs::canonical(path, error);
    if (!error) return target.string();
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
    if (home && home[0]) return std::string(home) + "/.config/velmora/settings.ini";
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
