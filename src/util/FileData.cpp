#include "util/FileData.h"

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

bool ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& data,
                     std::string& error) {
    if (!IsRegularFile(path, error)) return false;
    // Without O_NONBLOCK a FIFO put in the file's place since the check above
    // would hold the open until something writes to it.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!ok) error = "not a regular file";
    auto size = static_cast<std::size_t>(info.st_size);
    if (ok && size > maxBytes) {
        error = "file too large (" + std::to_string(size) + " bytes)";
        ok = false;
    }
    if (ok) data.resize(size);
    for (std::size_t at = 0; ok && at < size;) {
        ssize_t n = read(fd, data.data() + at, size - at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            error = "cannot read the file";
            ok = false;
        }
        at += static_cast<std::size_t>(n > 0 ? n : 0);
    }
    close(fd);
    return ok;
}
