#pragma once
#include <cstdint>

class World;

// A 64-bit fingerprint of the play field: the score, the high score, the lives,
// the step count, the random generator's state, every object's family, kind
// and position, and the pattern runners at work. Two runs that play alike give
// the same value.
uint64_t HashWorld(const World& world);
