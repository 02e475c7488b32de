#include "util/AtomicFile.h"

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

}  // namespace

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
