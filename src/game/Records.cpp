#include "game/Records.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <sstream>
#include <vector>

#include "game/Levels.h"
#include "util/FileData.h"
#include "util/MergedFile.h"
#include "util/StringUtil.h"
#include "world/DigitCounter.h"

namespace fs = std::filesystem;

namespace {

constexpr int kDigits = 12;
// An old per-stage file held one line; anything near this size is not one.
constexpr std::size_t kMaxOldFileBytes = 64 << 10;
constexpr const char* kHeader =
    "# Velmora's best scores: a line for each stage (by its fingerprint) and level.";

// A score as written by hand or by an older game: a whole number of at most
// twelve digits, blanks around it allowed; as twelve digits, or nothing.
std::optional<std::string> ScoreOf(std::string_view text) {
    std::string digits = TrimBlanks(std::string(text));
    if (digits.empty() || digits.size() > kDigits ||
        digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::string(kDigits - digits.size(), '0') + digits;
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

void KeepBetter(std::map<std::string, std::string>& into, const std::string& key,
                const std::string& score) {
    std::string& kept = into[key];
    if (score > kept) kept = score;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// A records file: its records, the best of repeats, and the lines that are
// none (the player's comments, a line spoilt by hand), which a rewrite keeps.
struct RecordsText {
    std::map<std::string, std::string> best;
    std::vector<std::string> others;
};

RecordsText Parse(const std::string& text) {
    RecordsText read;
    for (const std::string& line : Lines(text)) {
        std::size_t equals = line.find('=');
        std::string key = TrimBlanks(line.substr(0, equals));
        std::optional<std::string> score =
            equals == std::string::npos ? std::nullopt : ScoreOf(line.substr(equals + 1));
        if (score && !key.empty() && key[0] != '#') {
            KeepBetter(read.best, key, *score);
        } else if (line != kHeader) {
            read.others.push_back(line);
        }
    }
    return read;
}

std::string Text(const RecordsText& records) {
    std::string text = std::string(kHeader) + "\n";
    for (const std::string& line : records.others)
        text += line + "\n";
    for (const auto& [key, score] : records.best)
        text += key + "=" + score + "\n";
    return text;
}

// An old per-stage file's record: the best of its HighScore lines. Nothing,
// with why, for a file that holds none or one that is no score.
std::optional<std::string> OldRecord(const std::string& path, std::string& why) {
    std::string text;
    if (!ReadFileLimited(path, kMaxOldFileBytes, text, why)) return std::nullopt;
    std::optional<std::string> best;
    for (const std::string& line : Lines(text)) {
        std::size_t equals = line.find('=');
        if (equals == std::string::npos || TrimBlanks(line.substr(0, equals)) != "HighScore")
            continue;
        std::optional<std::string> score = ScoreOf(line.substr(equals + 1));
        if (!score) {
            why = Printable(line);
            why.insert(0, 1, '"');
            why += "\" is no score of at most 12 digits";
            return std::nullopt;
        }
        if (!best || *score > *best) best = score;
    }
    if (!best) why = "it holds no record";
    return best;
}

}  // namespace

Records::Records(HighScoreFile optionIni, std::string path, const std::string& oldFolder)
    : optionIni(std::move(optionIni)), path(std::move(path)) {
    DigitCounter delivered(kDigits);
    this->optionIni.Read(delivered);
    deliveredBest = delivered.Text();
    std::string text, why;
    if (!this->path.empty() && !ReadForMerge(this->path, text, why)) {
        // Its records are unknown: writing this run's over it would lose them.
        std::fprintf(stderr, "velmora: the records in %s: %s; this run's stay in memory\n",
                     Printable(this->path).c_str(), why.c_str());
        fileKept = false;
    }
    best = Parse(text).best;
    if (!oldFolder.empty()) MoveOldRecordsIn(oldFolder);
}

std::string Records::KeyText(const Key& key) {
    return Hex(key.stage) + "." + LevelKey(*key.level);
}

std::string Records::OldKeyText(const Key& key) {
    return Hex(key.oldStage) + "." + LevelKey(*key.level);
}

std::string Records::Best(const Key& key) const {
    if (key.delivered && key.level == &kLevels[0]) return deliveredBest;
    std::string score(kDigits, '0');
    auto look = [&](const std::string& name) {
        auto it = best.find(name);
        if (it != best.end() && it->second > score) score = it->second;
    };
    look(KeyText(key));
    look(OldKeyText(key));
    if (!key.delivered && key.level == &kLevels[0]) look("first-format-" + Hex(key.firstFormat));
    return score;
}

void Records::Offer(const Key& key, const std::string& score) {
    if (score.size() != kDigits || !ScoreOf(score) || score <= Best(key)) return;
    if (key.delivered && key.level == &kLevels[0]) {
        deliveredBest = score;
        return;
    }
    best[KeyText(key)] = score;
    changed = true;
}

void Records::Save() {
    DigitCounter delivered(kDigits);
    delivered.SetFromText(deliveredBest);
    optionIni.Write(delivered);
    if (changed) SaveFile();
}

bool Records::SaveFile() {
    if (path.empty() && !saidNotKept)
        std::fprintf(stderr,
                     "velmora: the records of this run are not kept: neither XDG_DATA_HOME nor "
                     "HOME names a folder to keep them in\n");
    saidNotKept = saidNotKept || path.empty();
    if (path.empty() || !fileKept) return false;
    std::error_code ignored;
    fs::create_directories(fs::path(path).parent_path(), ignored);
    std::string why;
    bool saved = RewriteMerged(
        path,
        [this](const std::string& onDisk) {
            RecordsText merged = Parse(onDisk);
            for (const auto& [key, score] : best)
                KeepBetter(merged.best, key, score);
            return Text(merged);
        },
        why);
    if (!saved && !saidNotKept)
        std::fprintf(stderr, "velmora: the records cannot be kept in %s: %s\n",
                     Printable(path).c_str(), why.c_str());
    saidNotKept = saidNotKept || !saved;
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
        std::error_code status;
        if (hex.find_first_not_of("0123456789abcdef") != std::string::npos ||
            !fs::is_regular_file(it->symlink_status(status)))
            continue;
        std::string why;
        std::optional<std::string> score = OldRecord(it->path().string(), why);
        if (!score) {
            // A file of that name that is no record is not ours to remove.
            std::fprintf(stderr, "velmora: %s is not moved into the records: %s\n",
                         Printable(it->path().string()).c_str(), why.c_str());
            continue;
        }
        KeepBetter(best, "first-format-" + hex, *score);
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
