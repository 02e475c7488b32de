#pragma once
// The game's icon: a small ship over a dark disc, drawn in code so the window
// icon and the installed icons of every size come from the same art.
#include <cstdint>
#include <vector>

// size x size pixels, ARGB with straight alpha, top row first.
std::vector<uint32_t> DrawIcon(int size);
