#include "game/ScoreTable.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "util/MergedFile.h"
#include "util/StringUtil.h"

namespace {

constexpr std::size_t kScoreDigits = 12;
constexpr const char* kHeader =
    "# Velmora's best games: stage and level, score, date, how far, name; tab-separated.";

bool IsScore(const std::string& text) {
    return text.size() == kScoreDigits && text.find_first_not_of("0123456789") == std::string::npos;
}

bool IsDate(const std::string& text) {
    return text.size() == 10 && text[4] == '-' && text[7] == '-' &&
           std::all_of(text.begin(), text.end(), [](char c) { return c == '-' || IsDigit(c); });
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t from = 0;
    for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
        fields.push_back(line.substr(from, tab - from));
    fields.push_back(line.substr(from));
    return fields;
}

bool Better(const ScoreEntry& a, const ScoreEntry& b) {
    return a.score != b.score ? a.score > b.score : a.date < b.date;
}

// The lines of a table's text that are games, and those that are not.
void Parse(const std::string& text, std::vector<std::string>& others, auto&& take) {
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> f = Fields(line);
        if (f.size() == 5 && !f[0].empty() && f[0][0] != '#' && IsScore(f[1]) && IsDate(f[2]) &&
            !f[3].empty() && f[3].size() <= 64 && !TableName(f[4]).empty()) {
            take(f[0], ScoreEntry{f[1], f[2], Printable(f[3]), TableName(f[4])});
        } else if (line != kHeader) {
            others.push_back(line);
        }
    }
}

}  // namespace

ScoreTable::ScoreTable(std::string path) : path(std::move(path)) {
    std::string text, why;
    if (!this->path.empty() && !ReadForMerge(this->path, text, why)) {
        std::fprintf(stderr,
                     "velmora: the score table in %s: %s; this run's games stay in memory\n",
                     Printable(this->path).c_str(), why.c_str());
        fileKept = false;
        said = true;
    }
    std::vector<std::string> notes;  // a rewrite reads them again from the disk
    Parse(text, notes, [this](const std::string& key, const ScoreEntry& entry) {
        lines.push_back({key, entry});
    });
}

std::vector<ScoreEntry> ScoreTable::Top(const std::string& key) const {
    std::vector<ScoreEntry> top;
    for (const Line& line : lines)
        if (line.key == key) top.push_back(line.entry);
    std::stable_sort(top.begin(), top.end(), Better);
    if (top.size() > kPlaces) top.resize(kPlaces);
    return top;
}

bool ScoreTable::Makes(const std::string& key, const std::string& score) const {
    std::vector<ScoreEntry> top = Top(key);
    return IsScore(score) && score != std::string(kScoreDigits, '0') &&
           (top.size() < kPlaces || score > top.back().score);
}

int ScoreTable::Enter(const std::string& key, const ScoreEntry& entry) {
    if (!Makes(key, entry.score)) return -1;
    ScoreEntry kept = entry;
    kept.reached = Printable(entry.reached);
    kept.name = TableName(entry.name);
    if (kept.name.empty()) kept.name = "PLAYER";
    added.push_back({key, kept});
    lines.push_back({key, kept});
    Save();
    std::vector<ScoreEntry> top = Top(key);
    // The newest of equal entries is this one: the last match.
    for (int i = static_cast<int>(top.size()) - 1; i >= 0; --i)
        if (top[i] == kept) return i;
    return -1;
}

void ScoreTable::Save() {
    if (path.empty() || !fileKept) {
        if (!said && path.empty())
            std::fprintf(stderr,
                         "velmora: the score table of this run is not kept: neither "
                         "XDG_DATA_HOME nor HOME names a folder to keep it in\n");
        said = true;
        return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    std::string why;
    bool saved = RewriteMerged(
        path,
        [this](const std::string& onDisk) {
            // What is on disk, with this run's games that are not there yet.
            std::vector<Line> merged;
            std::vector<std::string> notes;
            Parse(onDisk, notes, [&](const std::string& key, const ScoreEntry& entry) {
                merged.push_back({key, entry});
            });
            for (const Line& mine : added) {
                bool there = std::any_of(merged.begin(), merged.end(), [&](const Line& l) {
                    return l.key == mine.key && l.entry == mine.entry;
                });
                if (!there) merged.push_back(mine);
            }
            // Ten a key, best first; keys in the order they first came.
            std::stable_sort(merged.begin(), merged.end(), [](const Line& a, const Line& b) {
                return a.key != b.key ? a.key < b.key : Better(a.entry, b.entry);
            });
            std::vector<Line> kept;
            for (const Line& line : merged) {
                int same = static_cast<int>(std::count_if(
                    kept.begin(), kept.end(), [&](const Line& k) { return k.key == line.key; }));
                if (same < kPlaces) kept.push_back(line);
            }
            lines = kept;
            std::string text = std::string(kHeader) + "\n";
            for (const std::string& note : notes)
                text += note + "\n";
            for (const Line& line : kept)
                text += line.key + '\t' + line.entry.score + '\t' + line.entry.date + '\t' +
                        line.entry.reached + '\t' + line.entry.name + '\n';
            return text;
        },
        why);
    if (!saved && !said)
        std::fprintf(stderr, "velmora: the score table cannot be kept in %s: %s\n",
                     Printable(path).c_str(), why.c_str());
    said = said || !saved;
}
