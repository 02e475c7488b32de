#include "util/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the game's files are: the player's, readable by anyone, as files
// written under the usual umask are. Secrets are not among them.
constexpr mode_t kNewFileMode = 0644;

bool WriteAll(int fd, const std::string& contents) {
    const char* at = contents.data();
    size_t left = contents.size();
    while (left > 0) {
        ssize_t n = write(fd, at, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        at += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// The end mkstemp gives a new file's name: a dot and six letters or digits.
constexpr std::size_t kTemporaryEnd = 7;

bool HasTemporaryEnd(std::string_view name) {
    return name.size() > kTemporaryEnd && name[name.size() - kTemporaryEnd] == '.' &&
           std::all_of(name.end() - 6, name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// The name of a new file for path: path's name and the temporary end.
bool IsTemporaryOf(std::string_view name, std::string_view base) {
    return name.size() == base.size() + kTemporaryEnd && name.starts_with(base) &&
           HasTemporaryEnd(name);
}

}  // namespace

void RemoveLeftoverTemporaries(const std::string& path, std::chrono::seconds olderThan) {
    namespace fs = std::filesystem;
    fs::path target(path);
    fs::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string base = target.filename().string();
    const auto before = fs::file_time_type::clock::now() - olderThan;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        if (!IsTemporaryOf(entry.path().filename().string(), base) ||
            !fs::is_regular_file(entry.symlink_status(ec)))
            continue;
        auto written = entry.last_write_time(ec);
        if (!ec && (olderThan.count() == 0 || written < before)) fs::remove(entry.path(), ec);
    }
}

void RemoveStaleTemporaries(const std::string& folder, std::string_view extension,
                            std::chrono::seconds age) {
    namespace fs = std::filesystem;
    const auto before = fs::file_time_type::clock::now() - age;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (!HasTemporaryEnd(name)) continue;
        std::string_view base(name.data(), name.size() - kTemporaryEnd);
        std::error_code status;
        if (base.size() <= extension.size() || !base.ends_with(extension) ||
            !fs::is_regular_file(it->symlink_status(status))) {
            continue;
        }
        auto written = it->last_write_time(status);
        if (!status && written < before) fs::remove(it->path(), status);
    }
}

bool WriteFileAtomically(const std::string& path, const std::string& contents,
                         std::error_code& error) {
    // The mode is the new file's before it takes the name: set after the
    // rename, a game writing beside this one would read mkstemp's 0600 as the
    // player's and keep it for good.
    struct stat old {};
    mode_t mode =
        stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) ? old.st_mode & 07777 : kNewFileMode;
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = std::error_code(errno, std::generic_category());
        return false;
    }
    // The new file must be whole on disk before it takes the old one's place.
    bool written = fchmod(fd, mode) == 0 && WriteAll(fd, contents) && fsync(fd) == 0;
    int writeErrno = errno;
    bool closed = close(fd) == 0;
    if (!written || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        error = std::error_code(written && closed ? errno : writeErrno, std::generic_category());
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> WriteTarget(const std::string& path, std::error_code& error) {
    namespace fs = std::filesystem;
    error.clear();
    if (!fs::is_symlink(fs::symlink_status(path, error))) {
        error.clear();
        return path;
    }
    fs::path target = fs::canonical(path, error);
    if (error) return std::nullopt;
    return target.string();
}

bool WriteFileAtomically(const std::string& path, const std::string& contents, std::string& error) {
    std::error_code code;
    if (WriteFileAtomically(path, contents, code)) return true;
    error = code.message();
    return false;
}
