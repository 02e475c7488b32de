#include "game/HighScoreFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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
// it anyway, so its mode bits count too.
bool MayReplace(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return errno == ENOENT;
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0 && access(path.c_str(), W_OK) == 0;
}

// The file keeps the better of its own score and this one: another game may
// have saved since this one read it. The lock makes the read and the write one
// step against other games doing the same.
bool MergeInto(const std::string& path, const DigitCounter& highScore) {
    std::string folder = GetDirectory(path);
    std::string onDisk = folder.empty() ? path
                                        : ResolveAssetPath(folder.substr(0, folder.size() - 1)) +
                                              "/" + path.substr(folder.size());
    if (!MayReplace(onDisk)) return false;
    FileLock lock(onDisk);
    if (lock.Held()) RemoveLeftoverTemporaries(onDisk);
    DigitCounter best = ReadFrom(onDisk, static_cast<int>(highScore.Text().size()));
    if (highScore.Compare(best) > 0) best.Copy(highScore);
    TextFile file;
    file.SetValue(kKey, best.Text());
    return file.Save(onDisk);
}

}  // namespace

HighScoreFile::HighScoreFile(std::string gamePath, std::string userPath)
    : gamePath(std::move(gamePath)), userPath(std::move(userPath)) {}

void HighScoreFile::Read(DigitCounter& highScore) const {
    if (gamePath.empty()) return;
    int width = static_cast<int>(highScore.Text().size());
    DigitCounter best = ReadFrom(gamePath, width);
    if (!userPath.empty()) {
        DigitCounter user = ReadFrom(userPath, width);
        if (user.Compare(best) > 0) best.Copy(user);
    }
    highScore.Copy(best);
}

bool HighScoreFile::Write(const DigitCounter& highScore) const {
    if (gamePath.empty()) return true;
    if (MergeInto(gamePath, highScore)) return true;
    if (userPath.empty()) return false;
    std::error_code ignored;
    std::filesystem::create_directories(GetDirectory(userPath), ignored);
    if (!MergeInto(userPath, highScore)) return false;
    std::fprintf(stderr, "velmora: the high score is kept in %s instead\n", userPath.c_str());
    return true;
}
