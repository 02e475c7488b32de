#pragma once
// The ten best games of every stage at every level, with who played them, when
// and how far they got: one file of the player's, a line a game,
// "KEY<TAB>SCORE<TAB>DATE<TAB>REACHED<TAB>NAME", where the key is the records'
// (the stage's fingerprint and the level). Two games running at once each add
// their own games to what the other wrote.
#include <string>
#include <vector>

#include "app/Settings.h"

struct ScoreEntry {
    std::string score;    // twelve digits
    std::string date;     // YYYY-MM-DD
    std::string reached;  // the section the game got to, or CLEAR
    std::string name;
    bool operator==(const ScoreEntry&) const = default;
};

class ScoreTable {
public:
    static constexpr int kPlaces = 10;

    // path: the table's file; empty keeps the games of this run in memory only.
    explicit ScoreTable(std::string path);

    // The best games under key, best first (the earlier of equal scores first).
    std::vector<ScoreEntry> Top(const std::string& key) const;
    // Whether a score would make the table as it stands.
    bool Makes(const std::string& key, const std::string& score) const;
    // Adds a game and keeps the table at once, merged with what is on disk.
    // Its place in the table from 0, or -1 when it did not make it. A file
    // that cannot be written or read whole is said once on stderr; the run's
    // games stay in memory either way.
    int Enter(const std::string& key, const ScoreEntry& entry);

private:
    struct Line {
        std::string key;
        ScoreEntry entry;
    };
    void Save();

    std::string path;
    std::vector<Line> lines;  // the table as last read or merged
    std::vector<Line> added;  // this run's games
    bool fileKept = true;
    bool said = false;
};
