#include "pattern/PatternRunnerPool.h"

#include <cstdio>

PatternRunnerPool::PatternRunnerPool(int capacity, bool sayBounds)
    : runners(static_cast<std::size_t>(capacity)),
      inUse(static_cast<std::size_t>(capacity), 0),
      sayBounds(sayBounds) {
    free.reserve(runners.size());
    Restart();
}

void PatternRunnerPool::Restart() {
    free.clear();
    // The lowest index is taken first.
    for (int i = Capacity() - 1; i >= 0; --i) {
        if (!inUse[static_cast<std::size_t>(i)]) free.push_back(i);
    }
}

int PatternRunnerPool::Take() {
    if (free.empty()) {
        Reached(PatternBound::Pool);
        return -1;
    }
    int index = free.back();
    free.pop_back();
    inUse[index] = 1;
    return index;
}

void PatternRunnerPool::Give(int index) {
    if (index < 0 || !inUse[index]) return;
    inUse[index] = 0;
    runners[index].program = nullptr;
    free.push_back(index);
}

void PatternRunnerPool::Reached(PatternBound bound) {
    const auto bit = static_cast<uint8_t>(bound);
    if (reached & bit) return;
    reached |= bit;
    if (sayBounds) std::fprintf(stderr, "velmora: pattern bound: %s\n", DescribeBound(bound));
}
