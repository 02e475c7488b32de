#pragma once
#include <cstddef>
#include <vector>

#include "input/InputSource.h"
#include "input/PadText.h"

// Plays a list of per-step states, kept as runs of equal steps; cleared
// states after the end.
class ScriptedInput : public InputSource {
public:
    ScriptedInput() = default;
    explicit ScriptedInput(std::vector<PadRun> runs) : runs(std::move(runs)) {}

    void Fill(PadState& pad) override;
    bool PadConnected() const override { return padConnected; }
    // As when the player's pad is unplugged.
    void Unplug() { padConnected = false; }
    void Append(const PadState& step) { Hold(step, 1); }
    // Holds the given state for n steps.
    void Hold(const PadState& state, int n);
    // Every step given has been played.
    bool Finished() const { return run == runs.size(); }

private:
    std::vector<PadRun> runs;
    std::size_t run = 0;  // the run being played
    long stepInRun = 0;
    bool padConnected = true;
};
