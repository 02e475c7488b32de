#include "util/MergedFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "util/AtomicFile.h"
#include "util/FileData.h"
#include "util/FileLock.h"

namespace {

// Such files are a few kilobytes; anything much larger is not one of ours.
constexpr std::size_t kMaxBytes = 1 << 20;

// A file the player made read-only is meant to stay as it is; root could write
// it anyway, so its mode bits count too.
bool MayReplace(const std::string& path, std::string& why) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) return true;
        why = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        why = "a folder is in its place";
        return false;
    }
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || access(path.c_str(), W_OK) != 0) {
        why = "it is read-only";
        return false;
    }
    return true;
}

}  // namespace

std::string ReadForMerge(const std::string& path) {
    std::string text, why;
    if (!ReadFileLimited(path, kMaxBytes, text, why)) text.clear();
    return text;
}

bool RewriteMerged(const std::string& path,
                   const std::function<std::string(const std::string& onDisk)>& merge,
                   std::string& why) {
    if (!MayReplace(path, why)) return false;
    // A lock that cannot be had (a game that hangs holding it) is given up on:
    // the write goes ahead, leaving the temporaries of others alone.
    FileLock lock(path);
    if (lock.Held()) RemoveLeftoverTemporaries(path);
    return WriteFileAtomically(path, merge(ReadForMerge(path)), why);
}
