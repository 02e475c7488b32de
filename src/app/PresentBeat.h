#pragma once
#include <array>

// Where the display does not hold presents to its refresh, a frame shown the
// moment it is drawn reaches the screen as early or late as its drawing was
// quick or slow, and the picture shakes in time although no step is missed.
// Each frame is shown instead a fixed delay after its step fell due: as long
// as the slowest of the last two seconds' frames took to draw, and a little.
class PresentBeat {
public:
    static constexpr int kFramesRemembered = 120;
    // Room for a frame a little slower than any of those before it.
    static constexpr double kMarginSeconds = 0.001;
    // Never later than this share of a step: a frame slower than that is shown when done.
    static constexpr double kMostOfAStep = 0.9;

    // A frame was ready this long after its step fell due.
    void NoteDrawn(double seconds);
    // How long after its step a frame is shown, at this many seconds a step.
    double Delay(double stepSeconds) const;

private:
    std::array<double, kFramesRemembered> drawn{};
    int next = 0;
};
