#include "script/EnemyFactory.h"

#include "world/Boss.h"
#include "world/ChainEnemy.h"
#include "world/EnemyKinds.h"
#include "world/SatelliteEnemies.h"
#include "world/World.h"

namespace {

template <class Kind>
Enemy* Spawn(World& world, float x) {
    return world.Spawn<Kind>(x);
}

// The boss takes a slot kept for it: a crowded field never costs the stage its end.
Enemy* SpawnBoss(World& world, float x) {
    return world.SpawnReserved<BossIntro>(x);
}

constexpr EnemyKind kEnemyKinds[] = {
    {"obj1", Spawn<EnemyObj1>}, {"obj2", Spawn<EnemyObj2>}, {"obj3", Spawn<EnemyObj3>},
    {"big1", Spawn<EnemyBig1>}, {"big2", Spawn<EnemyBig2>}, {"big3", Spawn<EnemyBig3>},
    {"big4", Spawn<EnemyBig4>}, {"big5", Spawn<EnemyBig5>}, {"big6", Spawn<EnemyBig6>},
    {"boss", SpawnBoss},
};

}  // namespace

std::span<const EnemyKind> EnemyKinds() {
    return kEnemyKinds;
}

const EnemyKind* FindEnemyKind(std::string_view name) {
    for (const EnemyKind& kind : kEnemyKinds) {
        if (name == kind.name) return &kind;
    }
    return nullptr;
}
