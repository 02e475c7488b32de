#include "util/FileData.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool IsRegularFile(const std::string& path, std::string& error) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        error = errno == ENOENT ? "no such file" : std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "not a regular file";
        return false;
    }
    return true;
}

namespace {

// Opens a regular file for reading: -1, with the reason, for anything else.
int OpenRegular(const std::string& path, struct stat& info, std::string& error) {
    if (!IsRegularFile(path, error)) return -1;
    // Without O_NONBLOCK a FIFO put in the file's place since the check above
    // would hold the open until something writes to it.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return -1;
    }
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = "not a regular file";
        close(fd);
        return -1;
    }
    return fd;
}

// Reads size bytes into data; false, with the reason, when it falls short.
bool ReadAll(int fd, std::size_t size, std::string& data, std::string& error) {
    data.resize(size);
    for (std::size_t at = 0; at < size;) {
        ssize_t n = read(fd, data.data() + at, size - at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "cannot read the file";
            return false;
        }
        at += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool ReadFileHead(const std::string& path, std::size_t maxBytes, std::string& data,
                  std::string& error) {
    struct stat info {};
    int fd = OpenRegular(path, info, error);
    if (fd < 0) return false;
    bool ok = ReadAll(fd, std::min(static_cast<std::size_t>(info.st_size), maxBytes), data, error);
    close(fd);
    return ok;
}

bool ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& data,
                     std::string& error) {
    struct stat info {};
    int fd = OpenRegular(path, info, error);
    if (fd < 0) return false;
    auto size = static_cast<std::size_t>(info.st_size);
    bool ok = size <= maxBytes;
    if (!ok) error = "file too large (" + std::to_string(size) + " bytes)";
    ok = ok && ReadAll(fd, size, data, error);
    close(fd);
    return ok;
}
