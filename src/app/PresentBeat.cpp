#include "app/PresentBeat.h"

#include <algorithm>

void PresentBeat::NoteDrawn(double seconds) {
    drawn[static_cast<size_t>(next)] = seconds;
    next = (next + 1) % kFramesRemembered;
}

double PresentBeat::Delay(double stepSeconds) const {
    double slowest = *std::max_element(drawn.begin(), drawn.end());
    return std::min(slowest + kMarginSeconds, kMostOfAStep * stepSeconds);
}
