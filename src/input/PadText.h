#pragma once
// A pad state as text, for recorded games: the directions U D L R and the
// buttons Z (fire), X (hover), C (pause), V (freeze), B (catch-up) and S
// (focus). Nothing
// held is an empty text.
//
// A recording holds a line per run of equal steps: the number of steps, a
// space and the text (a line of text alone is one step).
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "input/PadState.h"

std::string PadToText(const PadState& pad);
PadState PadFromText(std::string_view text);

// A pad state held for a number of steps.
struct PadRun {
    long steps;
    PadState pad;
};

// Adds n steps, to the last run when it holds the same state.
void AppendSteps(std::vector<PadRun>& runs, const PadState& pad, long n = 1);
long CountSteps(const std::vector<PadRun>& runs);

// One line of a recording (a '\r' at its end aside); false for a line that is no run.
bool PadRunFromText(std::string_view line, PadRun& run);
// Reads a recording up to its end or to the first line that is no run; at
// most maxSteps steps in all.
std::vector<PadRun> ReadPadRuns(std::istream& in, long maxSteps);
void WritePadRuns(std::ostream& out, const std::vector<PadRun>& runs);
