#pragma once
// A pattern played on its own, for the simulator, the checker and the tests:
// the emitter rests at the top centre of the field facing down, the ship rests
// straight below it, and the bullets fly until they leave the field.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pattern/PatternRunnerPool.h"

struct PatternFired {
    int step, depth;  // depth 0: the emitter's own fires
    double direction, speed;
};

// "STEP DEPTH DIRECTION SPEED": degrees in [0, 360) with two decimals, the
// format's speed with three.
std::string DescribeFire(const PatternFired& fired);

class PatternTrace {
public:
    static constexpr double kEmitterX = 0.0, kEmitterY = -40.0;
    static constexpr double kShipX = 0.0, kShipY = 40.0;
    static constexpr int kBulletCapacity = 2000;

    // sayBounds: each bound reached is said once on stderr.
    PatternTrace(const PatternProgram& program, double rank, bool sayBounds = true);

    // One step: the bullets, then the emitter; what they fire is added to fired.
    void Step(std::vector<PatternFired>& fired);
    int LiveBullets() const { return static_cast<int>(bullets.size()); }
    uint8_t BoundsReached() const { return runners.BoundsReached(); }

private:
    struct Bullet {
        double x, y;
        PatternBody body;
        int runner, depth;
        bool vanished;
    };
    class Host;
    void Fire(double x, double y, int depth, double direction, double speed, uint32_t bullet,
              std::span<const double> params, std::vector<PatternFired>& fired);

    const PatternProgram& program;
    double rank;
    std::mt19937 random;
    PatternRunnerPool runners;
    std::vector<int> tops;
    PatternBody emitter;
    std::vector<Bullet> bullets;
    int step = 0;
};

// The fires of steps steps of a pattern; the bounds it reached go to bounds
// when given, else to stderr.
std::vector<PatternFired> TracePattern(const PatternProgram& program, double rank, int steps,
                                       uint8_t* bounds = nullptr);
