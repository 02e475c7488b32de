#include "world/Item.h"
#include "graphics/Mesh.h"

#include <cmath>

#include "world/BombBlast.h"
#include "world/Collision.h"
#include "world/Depth.h"
#include "world/PlayerShip.h"
#include "world/ScorePopup.h"
#include "world/World.h"

namespace {
constexpr float kHomingRange = 20.0f;
constexpr float kHomingSpeed = 1.2f;
constexpr float kFarHomingSpeed = 0.5f;
constexpr float kFallSpeed = 0.5f;
constexpr float kBounceEdge = 45.0f;
constexpr float kDrift = 0.3f;
constexpr int kItemScore = 10;

float DistanceTo(const GameObject& from, const GameObject& to) {
    float dx = to.x - from.x, dy = to.y - from.y;
    return std::sqrt(dx * dx + dy * dy);
}

void MoveToward(GameObject& o, const GameObject& target, float distance, float step) {
    o.x += (target.x - o.x) / distance * step;
    o.y += (target.y - o.y) / distance * step;
}

}  // namespace

ObjectPool& Item::PoolIn(World& world) {
    return world.itemPool;
}

Item::Item(World& world, float x, float y)
    : GameObject(PoolIn(world), x, y, depth::kItems, -3.0f, -3.0f, 3.0f, 3.0f) {}

void Item::DrawModel(Mesh& model, float scale) const {
    model.Draw({x, depth, -y}, {scale, scale, scale}, {0.125f, spin, 0.0f}, RotationOrder::ZYX,
               1.0f, false);
}

PowerItem::PowerItem(World& world, float x, float y, PowerKind kind)
    : Item(world, x, y), kind(kind) {
    // Two draws, x first: a diagonal drift in one of four directions.
    velocity.x = world.RandomSigned() < 0 ? -kDrift : kDrift;
    velocity.y = world.RandomSigned() < 0 ? -kDrift : kDrift;
}

void PowerItem::Bounce() {
    if ((x < -kBounceEdge && velocity.x < 0) || (x >= kBounceEdge && velocity.x > 0)) {
        velocity.x = -velocity.x;
    }
    if ((y < -kBounceEdge && velocity.y < 0) || (y >= kBounceEdge && velocity.y > 0)) {
        velocity.y = -velocity.y;
    }
}

bool PowerItem::Update(World& world) {
    Bounce();
    spin += 0.01f;
    PlayerShip* ship = world.GetPlayer();
    float distance = ship ? DistanceTo(*this, *ship) : 0.0f;
    if (ship && distance > 0.0f && distance < kHomingRange) {
        MoveToward(*this, *ship, distance, kHomingSpeed);
    } else {
        x += velocity.x;
        y += velocity.y;
    }
    if (!ship || !Overlaps(*this, *ship)) return true;
    ++world.tally.items;
    world.PlaySound("sndCap2");
    if (kind == PowerKind::Option) {
        ship->AddOption(world);
    } else {
        world.Spawn<ScreenBomb>();
    }
    return false;
}

void PowerItem::Draw(const World& world) {
    if (kind == PowerKind::Option) {
        DrawModel(world.Model("ship"), 0.6f);
    } else {
        DrawModel(world.Model("bomb5"), 2.0f);
    }
}

ScoreItem::ScoreItem(World& world, float x, float y) : Item(world, x, y) {}

bool ScoreItem::Update(World& world) {
    spin += 0.01f;
    PlayerShip* ship = world.GetPlayer();
    if (!ship) {
        y += kFallSpeed;
        return true;
    }
    float distance = DistanceTo(*this, *ship);
    if (distance > 0.0f) {
        MoveToward(*this, *ship, distance,
                   distance < kHomingRange ? kHomingSpeed : kFarHomingSpeed);
    }
    if (!Overlaps(*this, *ship)) return true;
    ++world.tally.items;
    world.PlaySound("sndCap1");
    world.AddScore(kItemScore);
    world.Spawn<ScorePopup>(x, y, kItemScore);
    return false;
}

void ScoreItem::Draw(const World& world) {
    DrawModel(world.Model("item2"), 3.0f);
}
