#pragma once
// The field at its busiest: every pool filled to the brim around a ship that
// holds fire, for the benchmarks and the allocation test.
#include <cmath>

#include "graphics/Mesh.h"
#include "support/GameContent.h"
#include "world/BulletKinds.h"
#include "world/Effect.h"
#include "world/Enemy.h"
#include "world/Item.h"
#include "world/KindEnemy.h"
#include "world/PlayerShot.h"
#include "world/PlayerStates.h"
#include "world/ScorePopup.h"
#include "world/World.h"

// An enemy that sways in place, cannot be destroyed and fires at the ship now and then.
struct SwayingEnemy : SmallEnemy {
    SwayingEnemy(World& world, float x, float y) : SmallEnemy(world, GameKind("obj1"), x) {
        this->y = y;
        hitPoints = 1e9f;
    }
    bool Update(World& world) override {
        x += 0.1f * std::sin(0.05f * static_cast<float>(counter));
        PlayerShip* ship = world.GetPlayer();
        if (ship && counter % 30 == 0) {
            world.Spawn<AimedBullet>(world.BulletTable(), variant, x, y, ship->x, ship->y, 0.0f,
                                     0.8f, 0.0f);
        }
        ++counter;
        return Survives(world);
    }
};

struct FieldLoad {
    int bullets = 2000, enemies = 500, items = 2000, effects = 2000, popups = 2000, shots = 100;
};

// Creates objects until every pool holds its share of the load (or is full):
// a grid of enemies and still bullets above the ship, items everywhere.
inline void TopUp(World& world, const FieldLoad& load = {}) {
    auto grid = [](int i, int columns, float top, float bottom) {
        float x = -45.0f + 90.0f * static_cast<float>(i % columns) / static_cast<float>(columns);
        int rows = 40;
        float y = top + (bottom - top) * static_cast<float>((i / columns) % rows) / rows;
        return std::pair{x, y};
    };
    for (int i = world.enemyPool.Count(); i < load.enemies; ++i) {
        auto [x, y] = grid(i, 25, -45.0f, -5.0f);
        if (!world.Spawn<SwayingEnemy>(x, y)) break;
    }
    for (int i = world.bulletPool.Count(); i < load.bullets; ++i) {
        auto [x, y] = grid(i, 50, -48.0f, 20.0f);
        if (!world.Spawn<AngleBullet>(world.BulletTable(), i % 2, x, y, 0.25f, 0.0f, 0.0f)) break;
    }
    for (int i = world.itemPool.Count(); i < load.items; ++i) {
        auto [x, y] = grid(i, 50, -45.0f, 45.0f);
        bool made = i % 2 ? world.Spawn<ScoreItem>(x, y) != nullptr
                          : world.Spawn<PowerItem>(x, y, PowerKind::Option) != nullptr;
        if (!made) break;
    }
    for (int i = world.effectPool.Count(); i < load.effects; ++i) {
        auto [x, y] = grid(i, 50, -45.0f, 45.0f);
        if (!world.Spawn<HitSpark>(x, y, i % 3)) break;
    }
    for (int i = world.popupPool.Count(); i < load.popups; ++i) {
        auto [x, y] = grid(i, 50, -45.0f, 45.0f);
        if (!world.Spawn<ScorePopup>(x, y, 10)) break;
    }
    for (int i = world.playerShotPool.Count(); i < load.shots; ++i) {
        auto [x, y] = grid(i, 20, 0.0f, 40.0f);
        if (!world.Spawn<PlayerShot>(x, y, 0.75f)) break;
    }
}

// Fills the enemy pool with the stage's nine regular kinds in turn (composites
// with their parts), each put somewhere on the upper field. next counts the
// enemies made so far and picks the kind and place of the next.
inline void TopUpWithEnemyKinds(World& world, int& next) {
    static const std::vector<std::string> kinds = GameContent().KindNames();
    while (Enemy* e = SpawnKind(world, GameKind(kinds[next % kinds.size()]),
                                -40.0f + static_cast<float>(next * 37 % 81))) {
        e->y = -45.0f + static_cast<float>(next * 13 % 50);
        ++next;
    }
}

// A ship in play at the bottom of the field (in place of any other), then the load.
inline void FillField(World& world) {
    world.playerPool.Clear();
    world.SetPlayer(world.Spawn<PlayerActive>(0.0f, 40.0f, 10));
    TopUp(world);
}
