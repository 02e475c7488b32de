#include "input/ScriptedInput.h"

void ScriptedInput::Fill(PadState& pad) {
    ++played;
    if (run == runs.size()) return;
    pad = runs[run].pad;
    if (++stepInRun == runs[run].steps) {
        ++run;
        stepInRun = 0;
    }
}

void ScriptedInput::Hold(const PadState& state, int n) {
    if (n <= 0) return;
    // A run already played to its end is not lengthened: its steps are gone.
    if (!Finished() && runs.back().pad == state) {
        runs.back().steps += n;
    } else {
        runs.push_back({n, state});
    }
}
