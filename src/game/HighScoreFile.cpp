#include "game/HighScoreFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "util/AssetPath.h"
#include "util/AtomicFile.h"
#include "util/FileLock.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"
#include "world/DigitCounter.h"

namespace {

constexpr const char* kKey = "HighScore";

// The file's score, read left-aligned into a counter of the given width.
DigitCounter ReadFrom(const std::string& path, int width) {
    DigitCounter score(width);
    TextFile file;
    file.Load(path);
    std::string value = file.GetValue(kKey);
    if (!value.empty()) score.SetFromText(value);
    return score;
}

// A file the player made read-only is meant to stay as it is; root could write
// it anyway, so its mode bits count too. A new file needs a folder that takes
// it. False, with the reason, otherwise.
bool MayReplace(const std::string& path, std::string& why) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        std::string folder = GetDirectory(path);
        if (errno == ENOENT && access(folder.empty() ? "." : folder.c_str(), W_OK) == 0)
            return true;
    } else if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 &&
               access(path.c_str(), W_OK) == 0) {
        return true;
    }
    why = path + ": " + std::strerror(errno ? errno : EACCES);
    return false;
}

// The file keeps the better of its own score and this one: another game may
// have saved since this one read it. The lock makes the read and the write one
// step against other games doing the same. False, with the reason, when the
// file could not be written.
bool MergeInto(const std::string& path, const DigitCounter& highScore, std::string& why) {
    std::string folder = GetDirectory(path);
    std::string onDisk = folder.empty() ? path
                                        : ResolveAssetPath(folder.substr(0, folder.size() - 1)) +
                                              "/" + path.substr(folder.size());
    errno = 0;
    if (!MayReplace(onDisk, why)) return false;
    FileLock lock(onDisk);
    if (lock.Held()) RemoveLeftoverTemporaries(onDisk);
    DigitCounter best = ReadFrom(onDisk, static_cast<int>(highScore.Text().size()));
    if (highScore.Compare(best) > 0) best.Copy(highScore);
    if (WriteFileAtomically(onDisk, std::string(kKey) + "=" + best.Text() + "\n", why)) return true;
    why = onDisk + ": " + why;
    return false;
}

}  // namespace

HighScoreFile::HighScoreFile(std::string gamePath, std::string userPath)
    : gamePath(std::move(gamePath)), userPath(std::move(userPath)) {}

void HighScoreFile::Read(DigitCounter& highScore) const {
    int width = static_cast<int>(highScore.Text().size());
    DigitCounter best(width);
    for (const std::string& path : {gamePath, userPath}) {
        if (path.empty()) continue;
        DigitCounter kept = ReadFrom(path, width);
        if (kept.Compare(best) > 0) best.Copy(kept);
    }
    highScore.Copy(best);
}

bool HighScoreFile::Write(const DigitCounter& highScore) const {
    std::string why;
    if (!gamePath.empty() && MergeInto(gamePath, highScore, why)) return true;
    if (!userPath.empty()) {
        std::string folder = GetDirectory(userPath);
        std::error_code made;
        std::filesystem::create_directories(folder, made);
        if (made) {
            why = folder + ": " + made.message();
        } else if (MergeInto(userPath, highScore, why)) {
            if (!gamePath.empty())
                std::fprintf(stderr, "velmora: the high score is kept in %s instead\n",
                             userPath.c_str());
            return true;
        }
    }
    if (why.empty()) return true;  // nowhere to keep it: nothing was asked
    std::fprintf(stderr, "velmora: the high score is not kept: %s\n", why.c_str());
    return false;
}
