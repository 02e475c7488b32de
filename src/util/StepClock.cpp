#include "util/StepClock.h"

#include <algorithm>
#include <cstdio>

std::string StepsAsClock(long steps) {
    long seconds = std::max(0L, steps) / 60;
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", seconds / 60, seconds % 60);
    return text;
}
