#include "world/PlayerShip.h"
#include "graphics/Mesh.h"

#include <algorithm>
#include <cmath>

#include "world/Depth.h"
#include "world/Enemy.h"
#include "world/Field.h"
#include "world/PlayerShot.h"
#include "world/World.h"

namespace {
constexpr float kBankStep = 0.02f;
constexpr float kBankLimit = 0.1f;
constexpr int kTrailingFire = 15;
constexpr float kOptionSpeed = 0.8f;
// Focused, the ship moves at this share of its speed, its hit box shown.
constexpr float kFocusSpeed = 0.4f;
constexpr uint32_t kHitBoxEdge = 0xFFFFFFFF, kHitBoxShade = 0xC0000000;
// Ten options drawn as bright as the ship hide it and the bullets among them.
constexpr float kOptionAlpha = 0.5f;
}  // namespace

ObjectPool& PlayerShip::PoolIn(World& world) {
    return world.playerPool;
}

PlayerShip::PlayerShip(World& world, float x, float y, int optionCount)
    : GameObject(PoolIn(world), x, y, depth::kPlayer, -0.3f, -0.3f, 0.3f, 0.3f),
      optionCount(optionCount),
      home(world) {
    for (OptionSlot& slot : optionSlots)
        slot = {x, y};
}

PlayerShip::~PlayerShip() {
    if (home.GetPlayer() == this) home.SetPlayer(nullptr);
}

bool PlayerShip::Update(World& world) {
    const PadState& pad = world.Pad();
    if (pad.Held(kButtonFire)) {
        shotTimer = kTrailingFire;
        if (firePhase == 0) Fire(world);
    } else if (shotTimer > 0) {
        if (firePhase == 0) Fire(world);
        --shotTimer;
    }
    firePhase = (firePhase + 1) % 4;

    float vx = 0.0f, vy = 0.0f;
    if (pad.left) {
        vx = -field::kShipSpeed;
        if (bank > -kBankLimit) bank -= kBankStep;
    } else if (pad.right) {
        vx = field::kShipSpeed;
        if (bank < kBankLimit) bank += kBankStep;
    } else if (std::abs(bank) <= kBankStep) {
        bank = 0.0f;  // level out instead of rocking across zero every step
    } else {
        bank += bank < 0.0f ? kBankStep : -kBankStep;
    }
    if (pad.up) {
        vy = -field::kShipSpeed;
    } else if (pad.down) {
        vy = field::kShipSpeed;
    }
    if (vx != 0.0f && vy != 0.0f) {
        vx *= field::kDiagonal;
        vy *= field::kDiagonal;
    }
    if (pad.Held(kButtonFocus)) {
        vx *= kFocusSpeed;
        vy *= kFocusSpeed;
    }
    x = std::clamp(x + vx, -field::kShipBound, field::kShipBound);
    y = std::clamp(y + vy, -field::kShipBound, field::kShipBound);

    OptionTargets targets;
    if (pad.Held(kButtonHover)) {
        AimOptionsAtEnemies(world, targets);
    } else {
        AimOptionsInFormation(targets);
    }
    MoveOptions(targets);
    return true;
}

void PlayerShip::AimOptionsInFormation(OptionTargets& targets) const {
    for (int i = 0; i < kMaxOptions; ++i) {
        if (i < optionCount) {
            targets[i] = {x - 3.0f * static_cast<float>(optionCount - 1) + 6.0f * i, y + 5.0f};
        } else {
            targets[i] = {x, y};
        }
    }
}

void PlayerShip::AimOptionsAtEnemies(const World& world, OptionTargets& targets) const {
    // Slots that neither rule reaches stay where they are.
    std::copy(std::begin(optionSlots), std::end(optionSlots), targets);
    int enemies = 0;
    for (Enemy* e : Each<Enemy>(world.enemyPool)) {
        if (enemies < optionCount) targets[enemies] = {e->x, e->y + 10.0f};
        ++enemies;
    }
    for (int i = enemies; i < kMaxOptions; ++i)
        targets[i] = {x, y};
}

void PlayerShip::MoveOptions(const OptionTargets& targets) {
    for (int i = 0; i < kMaxOptions; ++i) {
        OptionSlot& slot = optionSlots[i];
        float dx = targets[i].x - slot.x, dy = targets[i].y - slot.y;
        float distance = std::sqrt(dx * dx + dy * dy);
        if (distance < kOptionSpeed) {
            slot = targets[i];
        } else {
            slot.x += dx / distance * kOptionSpeed;
            slot.y += dy / distance * kOptionSpeed;
        }
    }
}

void PlayerShip::Fire(World& world) {
    for (float direction : {0.7f, 0.75f, 0.8f})
        world.Spawn<PlayerShot>(x, y, direction);
    for (int i = 0; i < optionCount; ++i) {
        float direction = 0.75f - 0.03f * static_cast<float>(optionCount - 1) + 0.06f * i;
        world.Spawn<PlayerShot>(optionSlots[i].x, optionSlots[i].y, direction);
    }
    world.PlaySound("sndShot");
}

void PlayerShip::AddOption(World& world) {
    if (optionCount < kMaxOptions) {
        ++optionCount;
    } else {
        world.AddScore(100);
    }
    world.PlaySound("sndVoiceOption");
}

void PlayerShip::Draw(const World& world) {
    Mesh& ship = world.Model("ship");
    ship.SetColors(ColorValue{1, 1, 1, alpha}, ColorValue{0, 0, 0, 0});
    ship.DrawTransformed({x, depth, -y}, {1, 1, 1}, {0.125f, 0, -bank}, RotationOrder::ZYX);
    for (int i = 0; i < optionCount; ++i) {
        ship.Draw({optionSlots[i].x, depth, -optionSlots[i].y}, {0.6f, 0.6f, 0.6f},
                  {0.125f, 0, -bank}, RotationOrder::ZYX, alpha * kOptionAlpha, false);
    }
    if (world.Pad().Held(kButtonFocus)) DrawHitBox(world);
}

void PlayerShip::DrawHitBox(const World& world) const {
    const glm::vec2 corner = world.OnScreen(x + hitLeft, y + hitTop);
    const glm::vec2 scale = world.PixelsPerUnit();
    const float left = corner.x, top = corner.y;
    const float width = (hitRight - hitLeft) * scale.x, height = (hitBottom - hitTop) * scale.y;
    // A dark frame around a white one, so it shows over bright and dark alike.
    world.FillOnScreen(left - 1, top - 1, width + 2, height + 2, kHitBoxShade);
    world.FillOnScreen(left, top, width, height, kHitBoxEdge);
    world.FillOnScreen(left + 1, top + 1, width - 2, height - 2, kHitBoxShade);
}
