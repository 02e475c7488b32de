#include "util/FileLock.h"

#include <cerrno>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {
// Another game holds the lock only while it writes a few bytes.
constexpr auto kPatience = std::chrono::seconds(3);
constexpr auto kRetry = std::chrono::milliseconds(10);
}  // namespace

FileLock::FileLock(const std::string& path) {
    fd = open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return;
    auto until = std::chrono::steady_clock::now() + kPatience;
    while (!held) {
        held = flock(fd, LOCK_EX | LOCK_NB) == 0;
        if (held || (errno != EWOULDBLOCK && errno != EINTR)) break;
        if (std::chrono::steady_clock::now() > until) break;
        std::this_thread::sleep_for(kRetry);
    }
}

FileLock::~FileLock() {
    if (fd >= 0) close(fd);  // lets go of the lock too
}
