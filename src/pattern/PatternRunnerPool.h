#pragma once
// The runners of one field, made once: taking and giving back a runner never
// allocates, and the whole pool copies as plain data.
#include <cstdint>
#include <vector>

#include "pattern/PatternRunner.h"

class PatternRunnerPool {
public:
    // sayBounds false: bounds are only counted, for a caller that reports them.
    explicit PatternRunnerPool(int capacity, bool sayBounds = true);

    // A free runner's index, or -1 when every runner is in use (said once).
    int Take();
    void Give(int index);
    // The free runners in the order they were made in, so that what a field
    // does after all were given back does not depend on what it did before.
    void Restart();
    PatternRunner& operator[](int index) { return runners[index]; }
    const PatternRunner& operator[](int index) const { return runners[index]; }
    int Capacity() const { return static_cast<int>(runners.size()); }
    int Live() const { return Capacity() - static_cast<int>(free.size()); }
    bool InUse(int index) const { return inUse[index] != 0; }

    // Says a bound on stderr the first time this pool's runners reach it.
    void Reached(PatternBound bound);
    uint8_t BoundsReached() const { return reached; }

private:
    std::vector<PatternRunner> runners;
    std::vector<int> free;
    std::vector<uint8_t> inUse;
    uint8_t reached = 0;
    bool sayBounds;
};
