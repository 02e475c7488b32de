#include "world/ChainEnemy.h"

#include "world/BulletKinds.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {
constexpr float kChaseSpeed = 0.6f;
constexpr float kLeash = 72.0f;
constexpr float kDescent = 0.2f;
constexpr float kBottom = 74.0f + kLeash;  // the whole chain has passed the field
}  // namespace

EnemyBig4::EnemyBig4(World& world, float x) : CompositeHead(world, &world.Model("obj6"), x, 30.0f) {
    for (glm::vec2& joint : joints)
        joint = {0.0f, -54.0f};  // where a new segment waits
    for (int i = 0; i < kSegments; ++i)
        world.Spawn<ChainSegment>(*this, i);
}

bool EnemyBig4::Update(World& world) {
    if (state != State::Alive) return false;
    MoveChain(world);
    y += kDescent;
    DecideEnd(world, kBottom);
    return true;
}

void EnemyBig4::MoveChain(const World& world) {
    glm::vec2& tip = joints[0];
    const glm::vec2& root = joints[kSegments - 1];
    joints[kSegments - 1] = {x, y};
    if (const PlayerShip* ship = world.GetPlayer()) {
        glm::vec2 toShip = glm::vec2(ship->x, ship->y) - tip;
        float distance = glm::length(toShip);
        if (distance >= kChaseSpeed) tip += toShip * (kChaseSpeed / distance);
    }
    glm::vec2 fromRoot = tip - root;
    float reach = glm::length(fromRoot);
    if (reach > kLeash) tip = root + fromRoot * (kLeash / reach);
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 1; k < kSegments - 1; ++k)
            joints[k] = 0.5f * (joints[k - 1] + joints[k + 1]);
    }
}

ChainSegment::ChainSegment(World& world, const EnemyBig4& chain, int index)
    : CompositePart(world, &world.Model("obj6"), chain, chain.variant), index(index) {}

bool ChainSegment::Update(World& world) {
    glm::vec2 at = static_cast<const EnemyBig4&>(head).joints[index];
    x = at.x;
    y = at.y;
    ++fireCount;
    PlayerShip* ship = world.GetPlayer();
    int period = static_cast<int>(40 - 20 * world.GetDifficulty());
    if (ship && fireCount % period == 0) {
        world.Spawn<AimedBullet>(world.BulletTable(), variant, x, y, ship->x, ship->y, 0.0f, 0.8f,
                                 0.0f);
        variant = 1 - variant;
    }
    return FollowHead(world);
}
