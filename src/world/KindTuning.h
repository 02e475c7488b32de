#pragma once
// How each enemy kind and the boss move and fire: one row per kind, read by the
// kind's behaviour. What grows harder with the level is written as a function
// of the difficulty d (0 on the lowest level); everything else is a constant.
#include <algorithm>

#include "util/AssetTable.h"

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
    ModelRef model;
    float hitPoints;
    int score;

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
    // A composite's head leaves once it is this far down; the boss's time.
    float bottom = 0.0f;
    int timeLimit = 0;

    Volley fire;
    Volley aimed;  // the boss's second pattern
};

// The kinds that have a row: the regular enemies in the stage's order, the
// parts of the composites, the boss's two fighting phases.
enum class KindId {
    Obj1,
    Obj2,
    Obj3,
    Big1,
    Big2,
    Big3,
    Big4,
    Big5,
    Big6,
    ChainSegment,
    OrbitSatellite,
    PulseSatellite,
    BossIntro,
    BossCore,
    BossPart,
    BossEscape,
    Count,
};

const KindTuning& TuningOf(KindId kind);
