#include "world/ChainEnemy.h"

#include "world/BulletKinds.h"
#include "world/PlayerShip.h"
#include "world/World.h"

EnemyBig4::EnemyBig4(World& world, const EnemyKind& kind, float x) : CompositeHead(world, kind, x) {
    for (glm::vec2& joint : joints)
        joint = {0.0f, -54.0f};  // where a new segment waits
    for (int i = 0; i < kSegments; ++i)
        world.Spawn<ChainSegment>(*kind.parts, *this, i);
}

bool EnemyBig4::Update(World& world) {
    if (state != State::Alive) return false;
    MoveChain(world);
    Sink(world);
    return true;
}

void EnemyBig4::MoveChain(const World& world) {
    glm::vec2& tip = joints[0];
    const glm::vec2& root = joints[kSegments - 1];
    joints[kSegments - 1] = {x, y};
    if (const PlayerShip* ship = world.GetPlayer()) {
        glm::vec2 toShip = glm::vec2(ship->x, ship->y) - tip;
        float distance = glm::length(toShip);
        if (distance >= kind.tuning.chase) tip += toShip * (kind.tuning.chase / distance);
    }
    glm::vec2 fromRoot = tip - root;
    float reach = glm::length(fromRoot);
    if (reach > kind.tuning.leash) tip = root + fromRoot * (kind.tuning.leash / reach);
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 1; k < kSegments - 1; ++k)
            joints[k] = 0.5f * (joints[k - 1] + joints[k + 1]);
    }
}

ChainSegment::ChainSegment(World& world, const EnemyKind& kind, const EnemyBig4& chain, int index)
    : CompositePart(world, kind, chain, chain.variant), index(index) {}

bool ChainSegment::Update(World& world) {
    glm::vec2 at = static_cast<const EnemyBig4&>(head).joints[index];
    x = at.x;
    y = at.y;
    ++fireCount;
    PlayerShip* ship = world.GetPlayer();
    const Volley& v = tuning.fire;
    if (ship && v.Due(fireCount, world.GetDifficulty())) {
        world.Spawn<AimedBullet>(world.BulletTable(), variant, x, y, ship->x, ship->y, 0.0f,
                                 v.speed.At(world.GetDifficulty()), v.acceleration);
        variant = 1 - variant;
    }
    return FollowHead(world);
}
