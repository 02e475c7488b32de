#pragma once
// The best score of every stage at every level. The delivered stage's at the
// first level lives in option.ini as it always has (see HighScoreFile); every
// other in one file of the player's, a line "FINGERPRINT.level=DIGITS" each,
// where the fingerprint is the stage's (what it plays, not its comments), so
// an edited stage starts again from nothing.
#include <cstdint>
#include <map>
#include <string>

#include "game/HighScoreFile.h"

struct Level;

class Records {
public:
    struct Key {
        bool delivered = false;
        uint64_t stage = 0;
        // Where a record was kept before this file: by the stage file's
        // fingerprint of the first format, one file each.
        uint64_t firstFormat = 0;
        const Level* level = nullptr;
        // How the stage was known before kinds counted by name and content:
        // records kept then still count.
        uint64_t oldStage = 0;
    };

    // path: the records file (empty: nothing is kept beyond option.ini);
    // oldFolder: where the player's stages kept their records one file each,
    // "NAME-FINGERPRINT.ini": read once and moved into the records file.
    Records(HighScoreFile optionIni, std::string path, const std::string& oldFolder);

    // How the file names a stage at a level: "FINGERPRINT.level".
    static std::string KeyText(const Key& key);
    // The same, as records kept before kinds had names named it.
    static std::string OldKeyText(const Key& key);
    // Twelve digits; all zeros for a stage and level never played.
    std::string Best(const Key& key) const;
    // A game's final score, kept when it is better.
    void Offer(const Key& key, const std::string& score);
    // At the end of the run: option.ini as it was always written, and the
    // records file when anything in it changed. A file that cannot be written
    // is said once on stderr; the game goes on either way. A records file that
    // was there but could not be read whole is never written.
    void Save();

private:
    void MoveOldRecordsIn(const std::string& folder);
    bool SaveFile();

    HighScoreFile optionIni;
    std::string deliveredBest;
    std::string path;
    std::map<std::string, std::string> best;
    bool changed = false;
    bool fileKept = true;
    bool saidNotKept = false;
};
