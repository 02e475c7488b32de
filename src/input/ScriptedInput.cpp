#include "input/ScriptedInput.h"

void ScriptedInput::Fill(PadState& pad) {
    if (run == runs.size()) return;
    pad = runs[run].pad;
    if (++stepInRun == runs[run].steps) {
        ++run;
        stepInRun = 0;
    }
}

void ScriptedInput::Hold(const PadState& state, int n) {
    if (n <= 0) return;
    if (Finished()) {
        // What was played is gone, so a source fed a step at a time, as the
        // simulator's is, stays a run or two long however long it plays.
        runs.clear();
        run = 0;
        stepInRun = 0;
    }
    AppendSteps(runs, state, n);
}
