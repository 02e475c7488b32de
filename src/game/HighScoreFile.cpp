#include "game/HighScoreFile.h"

#include <cstdio>
#include <filesystem>

#include "script/TextFile.h"
#include "util/StringUtil.h"
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

bool WriteTo(const std::string& path, const DigitCounter& highScore) {
    TextFile file;
    file.SetValue(kKey, highScore.Text());
    return file.Save(path);
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
    if (WriteTo(gamePath, highScore)) return true;
    if (userPath.empty()) return false;
    std::error_code ignored;
    std::filesystem::create_directories(GetDirectory(userPath), ignored);
    if (!WriteTo(userPath, highScore)) return false;
    std::fprintf(stderr, "velmora: the high score is kept in %s instead\n", userPath.c_str());
    return true;
}
