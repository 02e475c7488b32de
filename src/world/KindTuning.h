#pragma once
// The numbers of how a kind or a boss's phase moves and fires, as its content
// file gives them. What grows harder with the level is written as a function
// of the difficulty d (0 on the lowest level); everything else is a constant.
#include <algorithm>

// base + perLevel × d, in single precision as the fire rules are written.
struct Rising {
    float base = 0.0f;
    float perLevel = 0.0f;

    float At(float d) const { return base + perLevel * d; }
    // As a count of updates or of bullets: never below one, whatever the level,
    // so nothing divides by zero or fires a volley of none.
    int AtLeastOne(float d) const { return static_cast<int>(std::clamp(At(d), 1.0f, 1.0e6f)); }
};

// A chance per update, base + perLevel × d, in double precision as it is
// compared with the generator's draw.
struct RisingChance {
    double base = 0.0;
    double perLevel = 0.0;

    double At(float d) const { return base + perLevel * d; }
};

// When and what a kind fires. A volley comes every `every` updates while the
// counter within each `cycle` is below `window` (at most `window` when
// `windowClosed`; any time without a cycle); drifters fire at a chance per
// update instead.
struct Volley {
    Rising every{1.0f};
    int cycle = 0;
    Rising window;
    bool windowClosed = false;
    RisingChance chance;
    Rising count{1.0f};   // bullets in a volley
    float spread = 0.0f;  // turns between them
    Rising speed{1.0f};
    float acceleration = 0.0f;

    // Whether the counter's update is one to fire at.
    bool Due(int counter, float d) const {
        if (counter % every.AtLeastOne(d) != 0) return false;
        if (cycle == 0) return true;
        float limit = window.At(d);
        return windowClosed ? counter % cycle <= limit : counter % cycle < limit;
    }
};

enum class Wave { Cosine, Sine };

struct KindTuning {
    Rising hitPoints;
    int score = 0;

    // Moving: down the field, turning, side to side, or along a heading drawn at birth.
    float descent = 0.0f;
    float spin = 0.0f;   // turns per update
    float weave = 0.0f;  // side to side per update at most
    Wave wave = Wave::Cosine;
    float drift = 0.0f;
    float orbit = 0.0f;  // radians per update around a hub
    // A chain's first link chases the ship at this speed, on a leash.
    float chase = 0.0f;
    float leash = 0.0f;
    // A composite's head leaves once it is this far down.
    float bottom = 0.0f;

    Volley fire;
};
