#include "util/AtomicFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

// The name mkstemp gives a new file for path: path, a dot and six characters.
bool IsTemporaryOf(const std::string& name, const std::string& base) {
    if (name.size() != base.size() + 7 || name.compare(0, base.size() + 1, base + ".") != 0)
        return false;
    return std::all_of(name.end() - 6, name.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

void RemoveLeftoverTemporaries(const std::string& path) {
    std::filesystem::path target(path);
    std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string base = target.filename().string();
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (IsTemporaryOf(entry.path().filename().string(), base) && entry.is_regular_file(ec))
            std::filesystem::remove(entry.path(), ec);
    }
}

bool WriteFileAtomically(const std::string& path, const std::string& contents, std::string& error) {
    std::string temp = path + ".XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    // The new file must be whole on disk before it takes the old one's place.
    bool written = WriteAll(fd, contents) && fsync(fd) == 0;
    int writeErrno = errno;
    bool closed = close(fd) == 0;
    if (!written || !closed || std::rename(temp.c_str(), path.c_str()) != 0) {
        error = std::strerror(written && closed ? errno : writeErrno);
        std::remove(temp.c_str());
        return false;
    }
    // mkstemp makes the file readable by its owner only; a settings file is not secret.
    chmod(path.c_str(), 0644);
    return true;
}
