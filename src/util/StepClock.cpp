#include "util/StepClock.h"

#include <cstdio>

std::string StepsAsClock(long steps) {
    long seconds = steps / 60;
    char text[32];
    std::snprintf(text, sizeof text, "%ld:%02ld", seconds / 60, seconds % 60);
    return text;
}
