#pragma once
// The keys of one step as a line of text, for recorded runs: U D L R for the
// directions, Z fire, X hover, C pause; an empty line holds nothing.
#include <string>

#include "input/PadState.h"

std::string PadToText(const PadState& pad);
PadState PadFromText(const std::string& line);
