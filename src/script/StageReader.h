#pragma once
// The one reading of a stage file: the game's timeline, practice and the
// checker all take what it gives. Every line that means something becomes an
// item; every line it ignores or cannot honour, a finding with its number.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/ContentBook.h"
#include "script/StageLine.h"

struct StageItem {
    StageKeyword keyword = StageKeyword::None;
    int line = 0;
    std::string name;                    // teki, boss, play, clear: as written
    const EnemyKind* kind = nullptr;     // teki of a kind
    const BossKind* boss = nullptr;      // boss, or teki of a boss
    const MusicChoice* piece = nullptr;  // play, clear (null: none, or not one the game has)
    float x = 0.0f;                      // teki, boss
    int count = 0;                       // sleep, fadeout
    std::string text;                    // stage, section
    uint32_t colour = 0xffffff;          // background: 0xRRGGBB
    // Whether the item is a command of the timeline (not a name or a section).
    bool IsCommand() const {
        return keyword != StageKeyword::StageName && keyword != StageKeyword::Section;
    }
};

struct StageRead {
    bool readable = false;
    // The stage's and its content's, "line 12: ..." and "FILE:LINE: ...".
    std::vector<std::string> findings;
    std::vector<StageItem> items;
    // What it plays with; its folder's content over the game's.
    std::shared_ptr<const ContentBook> content;
    // What the game plays: the commands with their values, and the content
    // they name; not the comments, the name or the sections.
    uint64_t fingerprint = 0;
    // The same as the game took it before kinds had names and content: for
    // the replays and records kept then.
    uint64_t oldFingerprint = 0;
    // A line past the longest one the game reads: the stage ends before it (0: none).
    int cutAt = 0;
};

// mediaDir: the pack's folder, with its trailing '/'.
StageRead ReadStage(const std::string& path, const std::string& mediaDir);
