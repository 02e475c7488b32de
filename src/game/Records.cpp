#include "game/Records.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "game/Levels.h"
#include "util/MergedFile.h"
#include "util/StringUtil.h"
#include "util/TextFile.h"
#include "world/DigitCounter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDigits = 12;

bool IsScore(std::string_view text) {
    return text.size() == kDigits && text.find_first_not_of("0123456789") == std::string::npos;
}

std::string Hex(uint64_t value) {
    char text[20];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

std::string LevelKey(const Level& level) {
    std::string name = level.name;
    for (char& c : name)
        c = AsciiLower(c);
    return name;
}

// The records in a file's text: well-formed lines only, the best of repeats.
std::map<std::string, std::string> Parse(const std::string& text) {
    std::map<std::string, std::string> records;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals == 0) continue;
        std::string key = line.substr(0, equals), value = line.substr(equals + 1);
        if (!IsScore(value)) continue;
        std::string& kept = records[key];
        if (value > kept) kept = value;
    }
    return records;
}

std::string Text(const std::map<std::string, std::string>& records) {
    std::string text =
        "# Velmora's best scores: a line for each stage (by its fingerprint) and level.\n";
    for (const auto& [key, score] : records)
        text += key + "=" + score + "\n";
    return text;
}

void KeepBetter(std::map<std::string, std::string>& into, const std::string& key,
                const std::string& score) {
    std::string& kept = into[key];
    if (score > kept) kept = score;
}

}  // namespace

Records::Records(HighScoreFile optionIni, std::string path, const std::string& oldFolder)
    : optionIni(std::move(optionIni)), path(std::move(path)) {
    DigitCounter delivered(kDigits);
    this->optionIni.Read(delivered);
    deliveredBest = delivered.Text();
    if (!this->path.empty()) best = Parse(ReadForMerge(this->path));
    if (!oldFolder.empty()) MoveOldRecordsIn(oldFolder);
}

std::string Records::Best(const Key& key) const {
    if (key.delivered && key.level == &kLevels[0]) return deliveredBest;
    std::string score(kDigits, '0');
    auto look = [&](const std::string& name) {
        auto it = best.find(name);
        if (it != best.end() && it->second > score) score = it->second;
    };
    look(Hex(key.stage) + "." + LevelKey(*key.level));
    if (!key.delivered && key.level == &kLevels[0]) look("first-format-" + Hex(key.firstFormat));
    return score;
}

void Records::Offer(const Key& key, const std::string& score) {
    if (!IsScore(score) || score <= Best(key)) return;
    if (key.delivered && key.level == &kLevels[0]) {
        deliveredBest = score;
        return;
    }
    best[Hex(key.stage) + "." + LevelKey(*key.level)] = score;
    changed = true;
}

void Records::Save() {
    DigitCounter delivered(kDigits);
    delivered.SetFromText(deliveredBest);
    optionIni.Write(delivered);
    if (changed) SaveFile();
}

bool Records::SaveFile() {
    if (path.empty()) return false;
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    std::string why;
    bool saved = RewriteMerged(
        path,
        [this](const std::string& onDisk) {
            std::map<std::string, std::string> merged = Parse(onDisk);
            for (const auto& [key, score] : best)
                KeepBetter(merged, key, score);
            return Text(merged);
        },
        why);
    if (!saved)
        std::fprintf(stderr, "velmora: the records cannot be kept in %s: %s\n", path.c_str(),
                     why.c_str());
    changed = !saved;
    return saved;
}

void Records::MoveOldRecordsIn(const std::string& folder) {
    // "NAME-0123456789abcdef.ini", HighScore=DIGITS inside.
    std::vector<fs::path> moved;
    std::error_code e;
    for (fs::directory_iterator it(folder, e), end; !e && it != end; it.increment(e)) {
        std::string name = it->path().filename().string();
        if (name.size() < 21 || !name.ends_with(".ini") || name[name.size() - 21] != '-') continue;
        std::string hex = name.substr(name.size() - 20, 16);
        if (hex.find_first_not_of("0123456789abcdef") != std::string::npos) continue;
        TextFile file;
        if (!file.Load(it->path().string())) continue;
        DigitCounter score(kDigits);
        score.SetFromText(file.GetValue("HighScore"));
        KeepBetter(best, "first-format-" + hex, score.Text());
        moved.push_back(it->path());
    }
    if (moved.empty()) return;
    changed = true;
    if (!SaveFile()) return;
    for (const fs::path& file : moved) {
        fs::remove(file, e);
        fs::remove(file.string() + ".lock", e);
    }
}
