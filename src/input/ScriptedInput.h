#pragma once
#include <cstddef>
#include <vector>

#include "input/InputSource.h"

// Plays a list of per-step states; cleared states after the end.
class ScriptedInput : public InputSource {
public:
    ScriptedInput() = default;
    explicit ScriptedInput(std::vector<PadState> steps) : steps(std::move(steps)) {}

    void Fill(PadState& pad) override;
    void Append(const PadState& step) { steps.push_back(step); }
    // Holds the given state for n steps.
    void Hold(const PadState& state, int n) { steps.insert(steps.end(), n, state); }
    std::size_t StepsPlayed() const { return next; }

private:
    std::vector<PadState> steps;
    std::size_t next = 0;
};
