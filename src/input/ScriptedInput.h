#pragma once
#include <cstddef>
#include <deque>
#include <vector>

#include "input/InputSource.h"

// Plays a list of per-step states into record 0; cleared records after the end.
class ScriptedInput : public InputSource {
public:
    ScriptedInput() = default;
    explicit ScriptedInput(const std::vector<PadState>& steps)
        : steps(steps.begin(), steps.end()) {}

    void Fill(PadRecords& pads) override;
    void Append(const PadState& step) { steps.push_back(step); }
    // Holds the given state for n steps.
    void Hold(const PadState& state, int n) { steps.insert(steps.end(), n, state); }
    std::size_t StepsPlayed() const { return next; }

private:
    // Only the steps still to play: a long run appends as it goes.
    std::deque<PadState> steps;
    std::size_t next = 0;
};
