#include "world/PatternBullet.h"

#include <cmath>
#include <string_view>

#include "pattern/PatternMotion.h"
#include "pattern/PatternRunnerPool.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {

// A bullet whose label says needle is drawn as a needle; every other is round.
const ModelTable& TableFor(const World& world, const PatternBulletSpec& bullet) {
    return std::string_view(bullet.label).find("needle") != std::string_view::npos
               ? world.NeedleTable()
               : world.BulletTable();
}

glm::vec2 Velocity(const PatternBody& body) {
    FieldVelocity v = PatternVelocity(body);
    return {static_cast<float>(v.x), static_cast<float>(v.y)};
}

// The field as a runner at (x, y) sees it.
class FieldHost final : public PatternHost {
public:
    FieldHost(World& world, const PatternProgram& program, float x, float y, int variant)
        : world(world), program(program), x(x), y(y), variant(variant) {}

    double AimDirection() override {
        // Without a ship the pattern aims straight down the field.
        const PlayerShip* ship = world.GetPlayer();
        return ship ? PatternAim(x, y, ship->x, ship->y) : 180.0;
    }
    void Fire(double direction, double speed, uint32_t bullet,
              std::span<const double> params) override {
        const PatternBulletSpec& spec = program.bullets[bullet];
        PatternRunnerPool& runners = world.patternRunners;
        int runner = -1;
        if (spec.actionCount) {
            runner = runners.Take();
            if (runner < 0) return;
            StartBulletRunner(runners[runner], program, bullet, params);
        }
        PatternBody body{direction, speed, 0.0, 0.0};
        if (!world.Spawn<PatternBullet>(TableFor(world, spec), variant, x, y, body, runner)) {
            runners.Give(runner);
            runners.Reached(PatternBound::Pool);
        }
    }
    void Vanish() override { vanished = true; }
    double Random() override { return world.NextRandom(); }
    double Rank() override { return world.GetPatternRank(); }
    void Reached(PatternBound bound) override { world.patternRunners.Reached(bound); }

    bool vanished = false;

private:
    World& world;
    const PatternProgram& program;
    float x, y;
    int variant;
};

}  // namespace

PatternBullet::PatternBullet(World& world, const ModelTable& table, int variant, float x, float y,
                             const PatternBody& body, int runner)
    : EnemyBullet(world, table, variant, x, y, static_cast<float>(body.direction / 360.0)),
      runners(world.patternRunners),
      runner(runner),
      velocity(Velocity(body)) {
    if (runner >= 0) runners[runner].body = body;
}

PatternBullet::~PatternBullet() {
    runners.Give(runner);
}

bool PatternBullet::Update(World& world) {
    if (runner >= 0) {
        PatternRunner& r = runners[runner];
        FieldHost host(world, *r.program, x, y, variant);
        StepRunner(r, r.body, host);
        if (host.vanished) return false;
        velocity = Velocity(r.body);
        // A needle points where it flies.
        if (spin == 0.0f) yaw = static_cast<float>(r.body.direction / 360.0);
    }
    x += velocity.x;
    y += velocity.y;
    // A speed beyond any field carries it off at once, wherever it points.
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
    return EnemyBullet::Update(world);
}

void PatternEmitter::Start(World& world, const PatternProgram& program) {
    Stop();
    runners = &world.patternRunners;
    body = PatternBody{};
    for (uint32_t t = 0; t < program.tops.size() && count < int(kMaxTopActions); ++t) {
        int r = runners->Take();
        if (r < 0) break;
        StartTopRunner((*runners)[r], program, t);
        slots[count++] = r;
    }
}

void PatternEmitter::Step(World& world, float x, float y, int variant) {
    for (int i = 0; i < count; ++i) {
        PatternRunner& r = (*runners)[slots[i]];
        // An emitter is an enemy: it leaves by its own rules, not by a vanish.
        FieldHost host(world, *r.program, x, y, variant);
        StepRunner(r, body, host);
    }
}

void PatternEmitter::Stop() {
    for (int i = 0; i < count; ++i)
        runners->Give(slots[i]);
    count = 0;
}
