#pragma once
#include <string>

#include "util/AssetTable.h"

// A piece of music to play: one of the pack's, or a file of a stage's own folder.
struct MusicChoice {
    MusicChoice() = default;
    MusicChoice(int pack, std::string file) : pack(pack), file(std::move(file)) {}
    MusicChoice(MusicRef piece) : pack(piece.index) {}  // NOLINT: any pack piece is a choice

    int pack = -1;     // among the pack's pieces
    std::string file;  // otherwise; neither: no piece
};
