#include "pattern/PatternRunner.h"

#include <algorithm>
#include <cmath>

const char* DescribeBound(PatternBound bound) {
    switch (bound) {
        case PatternBound::Commands:
            return "a runner gave more than 10000 commands in one step and was stopped";
        case PatternBound::Repeat:
            return "a repeat asked for more than 100000 turns and ends there";
        case PatternBound::Depth:
            return "calls or repeats nested deeper than 12 and the runner was stopped";
        case PatternBound::Pool:
            return "a bullet was not fired: the field holds no more";
    }
    return "";
}

namespace {

// A whole count from a number: the format truncates; what is not finite counts as 0.
int Whole(double value, int most) {
    if (!(value > -1e9 && value < 1e9)) return value >= 1e9 ? most : 0;
    return std::clamp(static_cast<int>(value), -most, most);
}

double Finite(double value) {
    return std::isfinite(value) ? value : 0.0;
}

// Into (0, 360] from above and [0, 360) from below, as the format's reference
// folds directions (a folded 360 stays 360, which decides a half turn's way).
double Fold(double degrees) {
    if (degrees > 360.0) {
        degrees = std::fmod(degrees, 360.0);
        if (degrees == 0.0) degrees = 360.0;
    }
    if (degrees < 0.0) {
        degrees = std::fmod(degrees, 360.0);
        if (degrees < 0.0) degrees += 360.0;
    }
    return degrees + 0.0;
}

void StartRamp(PatternRamp& ramp, int turn, int term, double first, double last) {
    ramp = {turn, turn + term, first, last, 0.0, true};
    if (term > 0) ramp.gradient = (last - first) / term;
}

// Where a ramp stands at turn; it ends once it reached its last value.
bool Advance(PatternRamp& ramp, int turn, double& value) {
    if (!ramp.active) return false;
    if (turn >= ramp.lastTurn) {
        value = ramp.last;
        ramp.active = false;
    } else {
        value = ramp.first + ramp.gradient * (turn - ramp.firstTurn);
    }
    return true;
}

class Execution {
public:
    Execution(PatternRunner& r, PatternBody& body, PatternHost& host)
        : r(r), p(*r.program), body(body), host(host) {}

    void Step() {
        double* targets[] = {&body.direction, &body.speed, &body.accelX, &body.accelY};
        bool changing = false;
        for (int i = 0; i < PatternRunner::kRamps; ++i)
            changing |= Advance(r.ramps[i], r.turn, *targets[i]);
        if (r.pc == kNoIndex) {
            // All actions played: the runner ends once its last wait and changes are over.
            if (r.resumeTurn <= r.turn && !changing) r.ended = true;
            ++r.turn;
            return;
        }
        if (r.resumeTurn < 0) r.resumeTurn = r.turn;
        int commands = 0;
        while (r.pc != kNoIndex && r.resumeTurn <= r.turn && !r.ended) {
            if (++commands > kCommandsPerStep) {
                Stop(PatternBound::Commands);
                break;
            }
            Execute(p.code[r.pc]);
        }
        // The next of a bullet's actions begins with the next step.
        if (r.pc == kNoIndex && !r.ended && r.nextAction < r.endAction) {
            r.pc = p.actionList[r.nextAction++];
            r.frameCount = 1;
            r.loopCount = 0;
        }
        ++r.turn;
    }

private:
    void Stop(PatternBound bound) {
        host.Reached(bound);
        r.ended = true;
        r.pc = kNoIndex;
    }

    std::span<const double> Params() const {
        const PatternRunner::Frame& f = r.frames[r.frameCount - 1];
        return {r.params + f.paramBase, f.paramCount};
    }
    static double Draw(void* host) { return static_cast<PatternHost*>(host)->Random(); }
    double Eval(PatternExpr e, std::span<const double> params) {
        ExprInputs in{params, host.Rank(), &Draw, &host};
        return Evaluate(p.Code(e), in);
    }
    // The arguments of a reference, evaluated with the parameters in force.
    int Arguments(PatternArgs args, std::span<const double> params, double* out) {
        for (uint32_t i = 0; i < args.count; ++i)
            out[i] = Eval(p.argList[args.first + i], params);
        return static_cast<int>(args.count);
    }

    double Direction(const PatternValue& v, std::span<const double> params) {
        double dir = Eval(v.expr, params);
        switch (v.type) {
            case ValueType::Aim:
                dir += host.AimDirection();
                break;
            case ValueType::Absolute:
                if (p.horizontal) dir -= 90.0;
                break;
            case ValueType::Relative:
                dir += body.direction;
                break;
            case ValueType::Sequence:
                // The first of a sequence aims, as the format's reference has it.
                dir = r.hasLastDirection ? dir + r.lastDirection : host.AimDirection();
                break;
        }
        return Fold(Finite(dir));
    }
    double Speed(const PatternValue& v, std::span<const double> params) {
        double speed = Eval(v.expr, params);
        if (v.type == ValueType::Relative) speed += body.speed;
        // The first of a sequence takes the default speed, 1.
        if (v.type == ValueType::Sequence) speed = r.hasLastSpeed ? speed + r.lastSpeed : 1.0;
        return Finite(speed);
    }
    void SetDirection(const PatternValue& v, std::span<const double> params, double& dir,
                      bool& has) {
        if (!v.present) return;
        dir = r.lastDirection = Direction(v, params);
        has = r.hasLastDirection = true;
    }
    void SetSpeed(const PatternValue& v, std::span<const double> params, double& speed, bool& has) {
        if (!v.present) return;
        speed = r.lastSpeed = Speed(v, params);
        has = r.hasLastSpeed = true;
    }

    void Fire(const PatternInstr& i) {
        const PatternFireSpec& fire = p.fires[i.a];
        double fireParams[kMaxParams], bulletParams[kMaxParams];
        std::span<const double> scope = Params();
        if (i.args.count) scope = {fireParams, size_t(Arguments(i.args, scope, fireParams))};
        double dir = 0.0, speed = 0.0;
        bool hasDir = false, hasSpeed = false;
        // Speed before direction: the order $rand is drawn in, as the reference draws it.
        SetSpeed(fire.speed, scope, speed, hasSpeed);
        SetDirection(fire.direction, scope, dir, hasDir);
        const PatternBulletSpec& bullet = p.bullets[fire.bullet];
        if (fire.bulletRef)
            scope = {bulletParams, size_t(Arguments(fire.args, scope, bulletParams))};
        SetSpeed(bullet.speed, scope, speed, hasSpeed);
        SetDirection(bullet.direction, scope, dir, hasDir);
        if (!hasSpeed) speed = r.lastSpeed = 1.0, r.hasLastSpeed = true;
        if (!hasDir) dir = r.lastDirection = host.AimDirection(), r.hasLastDirection = true;
        host.Fire(dir, speed, fire.bullet, scope);
        ++r.pc;
    }

    void Change(const PatternInstr& i) {
        const PatternChange& c = p.changes[i.a];
        std::span<const double> params = Params();
        const int term = Whole(Eval(c.term, params), kMaxRepeat);
        const int turn = r.resumeTurn;
        if (i.op == PatternOp::ChangeDirection) {
            double first = body.direction, last;
            if (c.direction.type == ValueType::Sequence) {
                last = first + Finite(Eval(c.direction.expr, params)) * term;
            } else {
                // The shorter way round; a half turn goes the way the reference goes.
                double space = Direction(c.direction, params) - first;
                double other = space > 0 ? space - 360.0 : space + 360.0;
                last = first + (std::abs(space) < std::abs(other) ? space : other);
            }
            StartRamp(r.ramps[PatternRunner::DirectionRamp], turn, term, first, last);
        } else if (i.op == PatternOp::ChangeSpeed) {
            double first = body.speed;
            double last = c.speed.type == ValueType::Sequence
                              ? Finite(Eval(c.speed.expr, params)) * term + first
                              : Speed(c.speed, params);
            StartRamp(r.ramps[PatternRunner::SpeedRamp], turn, term, first, last);
        } else {
            // Across the field and along it; a horizontal file turns them a quarter.
            const PatternValue& x = p.horizontal ? c.speed : c.direction;
            const PatternValue& y = p.horizontal ? c.direction : c.speed;
            Accel(x, 1.0, body.accelX, PatternRunner::AccelXRamp, term, turn, params);
            Accel(y, p.horizontal ? -1.0 : 1.0, body.accelY, PatternRunner::AccelYRamp, term, turn,
                  params);
        }
        ++r.pc;
    }
    void Accel(const PatternValue& v, double sign, double first, int ramp, int term, int turn,
               std::span<const double> params) {
        if (!v.present) return;
        double value = sign * Finite(Eval(v.expr, params));
        double last = v.type == ValueType::Sequence   ? first + value * term
                      : v.type == ValueType::Relative ? first + value
                                                      : value;
        StartRamp(r.ramps[ramp], turn, term, first, last);
    }

    void Call(const PatternInstr& i) {
        double args[kMaxParams];
        const int count = Arguments(i.args, Params(), args);
        PatternRunner::Frame& top = r.frames[r.frameCount - 1];
        // A call that ends its action replaces it, so an action that calls
        // itself at its end after a wait can go on for good.
        if (p.code[r.pc + 1].op == PatternOp::End && top.paramBase + count <= kParamSlots) {
            std::copy(args, args + count, r.params + top.paramBase);
            top.paramCount = static_cast<uint16_t>(count);
            r.pc = i.a;
            return;
        }
        const int base = top.paramBase + top.paramCount;
        if (r.frameCount == kMaxCallDepth || base + count > kParamSlots)
            return Stop(PatternBound::Depth);
        std::copy(args, args + count, r.params + base);
        r.frames[r.frameCount++] = {r.pc + 1, uint16_t(base), uint16_t(count)};
        r.pc = i.a;
    }

    void Execute(const PatternInstr& i) {
        switch (i.op) {
            case PatternOp::Fire:
                return Fire(i);
            case PatternOp::ChangeDirection:
            case PatternOp::ChangeSpeed:
            case PatternOp::Accel:
                return Change(i);
            case PatternOp::Wait: {
                int steps = Whole(Eval(i.expr, Params()), 1 << 28);
                if (steps > 0) r.resumeTurn += steps;
                ++r.pc;
                return;
            }
            case PatternOp::Vanish:
                host.Vanish();
                ++r.pc;
                return;
            case PatternOp::Repeat: {
                double asked = Eval(i.expr, Params());
                if (asked >= kMaxRepeat + 1.0) host.Reached(PatternBound::Repeat);
                int times = Whole(asked, kMaxRepeat);
                // Fewer than one turn plays the body not at all.
                if (times < 1) {
                    r.pc = i.a;
                } else if (r.loopCount == kMaxLoopDepth) {
                    Stop(PatternBound::Depth);
                } else {
                    r.loops[r.loopCount++] = {0, times, r.pc + 1};
                    ++r.pc;
                }
                return;
            }
            case PatternOp::Loop: {
                PatternRunner::Loop& loop = r.loops[r.loopCount - 1];
                if (++loop.done < loop.times) {
                    r.pc = loop.body;
                } else {
                    --r.loopCount;
                    ++r.pc;
                }
                return;
            }
            case PatternOp::Call:
                return Call(i);
            case PatternOp::End:
                if (r.frameCount > 1) {
                    r.pc = r.frames[--r.frameCount].returnPc;
                } else {
                    r.pc = kNoIndex;
                }
                return;
        }
    }

    PatternRunner& r;
    const PatternProgram& p;
    PatternBody& body;
    PatternHost& host;
};

void Reset(PatternRunner& runner, const PatternProgram& program) {
    runner = PatternRunner{};
    runner.program = &program;
    runner.frameCount = 1;
    runner.frames[0] = {kNoIndex, 0, 0};
}

}  // namespace

void StartTopRunner(PatternRunner& runner, const PatternProgram& program, uint32_t top) {
    Reset(runner, program);
    runner.pc = program.tops[top];
}

void StartBulletRunner(PatternRunner& runner, const PatternProgram& program, uint32_t bullet,
                       std::span<const double> params) {
    Reset(runner, program);
    const PatternBulletSpec& spec = program.bullets[bullet];
    runner.nextAction = spec.firstAction;
    runner.endAction = spec.firstAction + spec.actionCount;
    if (runner.nextAction < runner.endAction) runner.pc = program.actionList[runner.nextAction++];
    const std::size_t count = std::min<std::size_t>(params.size(), kMaxParams);
    std::copy(params.begin(), params.begin() + count, runner.params);
    runner.frames[0].paramCount = static_cast<uint16_t>(count);
}

void StepRunner(PatternRunner& runner, PatternBody& body, PatternHost& host) {
    if (runner.ended || !runner.program) return;
    Execution(runner, body, host).Step();
}
