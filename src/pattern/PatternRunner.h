#pragma once
// A runner plays one action of a pattern (or a bullet's actions one after
// another) one step at a time. Its state is plain data of fixed size, so runners
// live in a pool made once and are copied with the field.
#include <cstdint>
#include <span>

#include "pattern/PatternProgram.h"

// Bounds that keep a valid but pathological pattern finite.
inline constexpr int kCommandsPerStep = 10000;  // per runner and step
inline constexpr int kMaxRepeat = 100000;       // turns of one repeat
inline constexpr int kMaxCallDepth = 12;
inline constexpr int kMaxLoopDepth = 12;
inline constexpr int kParamSlots = 48;

enum class PatternBound : uint8_t {
    Commands = 1,  // a runner used its commands for a step and was stopped
    Repeat = 2,    // a repeat asked for more turns than kMaxRepeat
    Depth = 4,     // calls or repeats nested deeper than the runner holds
    Pool = 8,      // a bullet or runner was not made: its pool was full
};
const char* DescribeBound(PatternBound bound);

// How a runner's bullet moves, in the format's units: direction in degrees
// (0 up the field, clockwise), speed along it, and the accel's own velocity.
struct PatternBody {
    double direction = 180.0, speed = 0.0, accelX = 0.0, accelY = 0.0;
};

// What a runner asks of the field around it and tells it.
class PatternHost {
public:
    // Degrees from the runner's bullet to the ship.
    virtual double AimDirection() = 0;
    // A new bullet of the program's bullet; params are what its actions
    // read, if it has any.
    virtual void Fire(double direction, double speed, uint32_t bullet,
                      std::span<const double> params) = 0;
    virtual void Vanish() = 0;
    virtual double Random() = 0;
    virtual double Rank() = 0;
    virtual void Reached(PatternBound bound) = 0;

protected:
    ~PatternHost() = default;
};

// A change spread over steps: direction, speed or one axis of an accel.
struct PatternRamp {
    int firstTurn = 0, lastTurn = 0;
    double first = 0.0, last = 0.0, gradient = 0.0;
    bool active = false;
};

struct PatternRunner {
    const PatternProgram* program = nullptr;
    uint32_t pc = kNoIndex;                  // kNoIndex once the current action has ended
    uint32_t nextAction = 0, endAction = 0;  // a bullet's actions still to play
    int turn = 0;
    int resumeTurn = -1;  // the step the runner waits for
    bool ended = false;

    struct Frame {
        uint32_t returnPc;
        uint16_t paramBase, paramCount;
    };
    struct Loop {
        int done, times;
        uint32_t body;
    };
    Frame frames[kMaxCallDepth];
    Loop loops[kMaxLoopDepth];
    double params[kParamSlots];
    uint8_t frameCount = 0, loopCount = 0;

    enum Ramp { DirectionRamp, SpeedRamp, AccelXRamp, AccelYRamp, kRamps };
    PatternRamp ramps[kRamps];
    double lastDirection = 0.0, lastSpeed = 0.0;
    bool hasLastDirection = false, hasLastSpeed = false;

    PatternBody body;
};

// A runner for one top action of the program.
void StartTopRunner(PatternRunner& runner, const PatternProgram& program, uint32_t top);
// A runner for a fired bullet's actions, reading params.
void StartBulletRunner(PatternRunner& runner, const PatternProgram& program, uint32_t bullet,
                       std::span<const double> params);
// One step: the changes under way, then commands until a wait or the end.
// body is what the runner moves (an emitter's runners share one).
void StepRunner(PatternRunner& runner, PatternBody& body, PatternHost& host);
