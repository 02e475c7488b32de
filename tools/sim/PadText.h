#pragma once
// The keys of one step as text, for recorded runs: U D L R for the directions,
// Z fire, X hover, C pause; nothing held is an empty text. A recording holds a
// line per run of equal steps: the number of steps, a space and the keys (a
// line of keys alone is one step).
#include <iosfwd>
#include <string>
#include <vector>

#include "input/PadState.h"

std::string PadToText(const PadState& pad);
PadState PadFromText(const std::string& keys);

std::vector<PadState> ReadInputs(std::istream& in);
void WriteInputs(std::ostream& out, const std::vector<PadState>& steps);
