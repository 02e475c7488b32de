#pragma once
#include <string>

// An advisory lock (flock) on a file beside the one it guards, "<path>.lock",
// held from construction to destruction: processes that take it before they
// touch the file take turns. Never waits long: a holder that does not let go
// within a few seconds is given up on, and Held() says so.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return held; }

private:
    int fd = -1;
    bool held = false;
};
