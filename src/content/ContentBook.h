#pragma once
// What a stage plays with besides its lines: enemy kinds, bosses and music
// pieces by name. The game's own come from the asset pack (kinds.toml,
// bosses.toml, the pack's pieces); a stage file with a folder of the same name
// beside it adds that folder's, which replace the game's of the same name for
// that stage alone. Every fault is a finding with its file and line; an entry
// with a fault that leaves it unplayable is left out, the rest stays.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "util/MusicChoice.h"
#include "world/EnemyKind.h"

class ContentBook {
public:
    // mediaDir: the pack's folder, with its trailing '/'; stageFolder: the
    // stage's own, or empty for none.
    ContentBook(const std::string& mediaDir, const std::string& stageFolder);
    ContentBook(const ContentBook&) = delete;
    ContentBook& operator=(const ContentBook&) = delete;

    const EnemyKind* Kind(const std::string& name) const;
    const BossKind* Boss(const std::string& name) const;
    // By name, or by the number the first stage used for it.
    const MusicChoice* Piece(const std::string& nameOrNumber) const;
    // What a name stands for, as the stage's fingerprint takes it: the entry's
    // values and the bytes of the files it plays, not how it is written; 0 for
    // no entry of that name.
    uint64_t KindPrint(const std::string& name) const;
    uint64_t BossPrint(const std::string& name) const;
    uint64_t PiecePrint(const std::string& name) const;

    // The models of the content's own folders, which a kind or a boss names by
    // its place after the pack's: model kModelCount + i is ModelFiles()[i].
    const std::vector<std::string>& ModelFiles() const { return modelFiles; }

    // "FILE:LINE: what is wrong", in the order found.
    const std::vector<std::string>& Findings() const { return findings; }
    // Every name of the book, sorted, for people writing stages.
    std::vector<std::string> KindNames() const;
    std::vector<std::string> BossNames() const;

private:
    friend class ContentReader;
    std::map<std::string, std::unique_ptr<EnemyKind>> kinds;
    std::map<std::string, std::unique_ptr<BossKind>> bosses;
    std::map<std::string, MusicChoice> pieces;
    std::map<std::string, uint64_t> kindPrints, bossPrints, piecePrints;
    std::vector<std::string> modelFiles;
    std::vector<std::string> findings;
};

// The folder that holds a stage file's own content: "mystage/" beside "mystage.txt".
std::string StageFolderOf(const std::string& stagePath);

// The keys a kind and a boss entry know, and those of their tables, for the
// documentation's test.
const std::vector<std::string>& KnownContentKeys();
