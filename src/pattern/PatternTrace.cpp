#include "pattern/PatternTrace.h"

#include <charconv>
#include <cmath>

#include "pattern/PatternMotion.h"

namespace {

// Fixed decimals with a point whatever the process's locale.
std::string Fixed(double value, int decimals) {
    char text[64];
    auto [end, error] =
        std::to_chars(text, text + sizeof text, value + 0.0, std::chars_format::fixed, decimals);
    return error == std::errc() ? std::string(text, end) : "nan";
}

}  // namespace

std::string DescribeFire(const PatternFired& fired) {
    double direction = std::fmod(fired.direction, 360.0);
    if (direction < 0.0) direction += 360.0;
    std::string dir = Fixed(direction, 2);
    if (dir == "360.00") dir = "0.00";
    return std::to_string(fired.step) + " " + std::to_string(fired.depth) + " " + dir + " " +
           Fixed(fired.speed, 3);
}

class PatternTrace::Host final : public PatternHost {
public:
    Host(PatternTrace& trace, double x, double y, int depth, bool* vanished,
         std::vector<PatternFired>& fired)
        : trace(trace), x(x), y(y), depth(depth), vanished(vanished), fired(fired) {}
    double AimDirection() override { return PatternAim(x, y, kShipX, kShipY); }
    void Fire(double direction, double speed, uint32_t bullet,
              std::span<const double> params) override {
        trace.Fire(x, y, depth, direction, speed, bullet, params, fired);
    }
    // The emitter stays whatever its actions say; a bullet leaves.
    void Vanish() override {
        if (vanished) *vanished = true;
    }
    double Random() override { return trace.random() / 4294967295.0; }
    double Rank() override { return trace.rank; }
    void Reached(PatternBound bound) override { trace.runners.Reached(bound); }

private:
    PatternTrace& trace;
    double x, y;
    int depth;
    bool* vanished;
    std::vector<PatternFired>& fired;
};

PatternTrace::PatternTrace(const PatternProgram& program, double rank, bool sayBounds)
    : program(program), rank(rank), runners(kBulletCapacity + 64, sayBounds) {
    bullets.reserve(kBulletCapacity);
    for (uint32_t t = 0; t < program.tops.size(); ++t) {
        int r = runners.Take();
        if (r < 0) break;
        StartTopRunner(runners[r], program, t);
        tops.push_back(r);
    }
}

void PatternTrace::Fire(double x, double y, int depth, double direction, double speed,
                        uint32_t bullet, std::span<const double> params,
                        std::vector<PatternFired>& fired) {
    fired.push_back({step, depth, direction, speed});
    if (bullets.size() >= kBulletCapacity) {
        runners.Reached(PatternBound::Pool);
        return;
    }
    int runner = -1;
    if (program.bullets[bullet].actionCount) {
        runner = runners.Take();
        if (runner >= 0) StartBulletRunner(runners[runner], program, bullet, params);
    }
    bullets.push_back({x, y, {direction, speed, 0.0, 0.0}, runner, depth + 1, false});
}

void PatternTrace::Step(std::vector<PatternFired>& fired) {
    // Bullets fired during the pass join its tail and move in it.
    for (std::size_t i = 0; i < bullets.size(); ++i) {
        Bullet b = bullets[i];
        if (b.runner >= 0) {
            Host host(*this, b.x, b.y, b.depth, &b.vanished, fired);
            StepRunner(runners[b.runner], b.body, host);
        }
        FieldVelocity v = PatternVelocity(b.body);
        b.x += v.x;
        b.y += v.y;
        bullets[i] = b;
    }
    for (int r : tops) {
        Host host(*this, kEmitterX, kEmitterY, 0, nullptr, fired);
        StepRunner(runners[r], emitter, host);
    }
    std::size_t kept = 0;
    for (Bullet& b : bullets) {
        // The field widened by 4, as the written bullets leave it.
        bool gone = b.vanished || std::abs(b.x) > 54.0 || std::abs(b.y) > 54.0 ||
                    !std::isfinite(b.x) || !std::isfinite(b.y);
        if (gone) {
            runners.Give(b.runner);
        } else {
            bullets[kept++] = b;
        }
    }
    bullets.resize(kept);
    ++step;
}

std::vector<PatternFired> TracePattern(const PatternProgram& program, double rank, int steps,
                                       uint8_t* bounds) {
    PatternTrace trace(program, rank, bounds == nullptr);
    std::vector<PatternFired> fired;
    for (int s = 0; s < steps; ++s)
        trace.Step(fired);
    if (bounds) *bounds = trace.BoundsReached();
    return fired;
}
