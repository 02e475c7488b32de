#include "world/Effect.h"
#include "graphics/Mesh.h"

#include "world/Depth.h"
#include "world/FieldMath.h"
#include "world/World.h"

namespace {

constexpr int kGrazeFlashSteps = 12;
constexpr uint32_t kGrazeFlash = 0xE0FFE060, kGrazeCore = 0xFFFFFFFF;

}  // namespace

ObjectPool& Effect::PoolIn(World& world) {
    return world.effectPool;
}

Effect::Effect(World& world, float x, float y) : GameObject(PoolIn(world), x, y, depth::kEffects) {}

VanishEffect::VanishEffect(World& world, float x, float y, Mesh* model)
    : Effect(world, x, y), model(model) {}

bool VanishEffect::Update(World&) {
    return ++age < 11;
}

void VanishEffect::Draw(const World&) {
    float s = static_cast<float>(age) / 10.0f;
    model->Draw({x, depth, -y}, {1.0f - s, 1.0f, 1.0f + s}, {0.0f, s / 2.0f, 0.0f},
                RotationOrder::Y, 1.0f, false);
}

GrazeSpark::GrazeSpark(World& world, float x, float y) : Effect(world, x, y) {}

bool GrazeSpark::Update(World&) {
    return ++age < 21;
}

void GrazeSpark::Draw(const World& world) {
    float s = static_cast<float>(age) / 40.0f;
    world.Model("effect1").Draw({x, depth, -y}, {s, s, s}, {0.0f, s, 0.0f}, RotationOrder::Y, 1.0f,
                                false);
    // The model alone is too faint to see among bullets: a bright star flashes
    // where the bullet passed and shrinks away, so a player sees what scored.
    if (age > kGrazeFlashSteps) return;
    const glm::vec2 at = world.OnScreen(x, y);
    const float arm = 2.0f + 10.0f * static_cast<float>(kGrazeFlashSteps - age) / kGrazeFlashSteps;
    world.FillOnScreen(at.x - arm, at.y - 1.0f, 2.0f * arm, 2.0f, kGrazeFlash);
    world.FillOnScreen(at.x - 1.0f, at.y - arm, 2.0f, 2.0f * arm, kGrazeFlash);
    world.FillOnScreen(at.x - 2.0f, at.y - 2.0f, 4.0f, 4.0f, kGrazeCore);
}

HitSpark::HitSpark(World& world, float x, float y, int index)
    : Effect(world, x, y - 4.0f), age(-5 * index) {
    // Between 0.09 and 0.81 of a half turn: always down the field.
    double theta = (0.4 * world.RandomSigned() + 0.25) * 1.8 * kPi;
    velocity = 2.0f * RadianDirection(theta);
}

bool HitSpark::Update(World&) {
    x += velocity.x;
    y += velocity.y;
    scale -= 0.015f;
    alpha -= 0.025f;
    return ++age < 40;
}

void HitSpark::Draw(const World& world) {
    world.Model("crash_2").Draw({x, depth, -y}, {scale, scale, scale}, {0.0f, 0.0f, 0.0f},
                                RotationOrder::None, alpha, false);
}
