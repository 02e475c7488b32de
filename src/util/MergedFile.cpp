#include "util/MergedFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

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

bool ReadForMerge(const std::string& path, std::string& text, std::string& why) {
    text.clear();
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT) return true;
    if (ReadFileLimited(path, kMaxBytes, text, why)) return true;
    text.clear();
    why = "it cannot be read whole (" + why + "); it is left as it is";
    return false;
}

bool RewriteMerged(const std::string& path,
                   const std::function<std::string(const std::string& onDisk)>& merge,
                   std::string& why) {
    std::error_code error;
    std::optional<std::string> target = WriteTarget(path, error);
    if (!target) {
        why = "it is a link that leads nowhere or round in a loop (" + error.message() +
              "); it is left alone";
        return false;
    }
    if (!MayReplace(*target, why)) return false;
    // A lock that cannot be had (a game that hangs holding it) is given up on:
    // the write goes ahead, leaving the temporaries of others alone.
    FileLock lock(*target);
    if (lock.Held()) RemoveLeftoverTemporaries(*target);
    std::string onDisk;
    if (!ReadForMerge(*target, onDisk, why)) return false;
    return WriteFileAtomically(*target, merge(onDisk), why);
}
