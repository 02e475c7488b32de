#pragma once
// A play field for watching enemies fire: a pass of the enemy pool alone leaves
// every bullet where it was fired, so each pass's volley can be read off the
// tail of the bullet pool.
#include <string>
#include <vector>

#include "support/WorldFixture.h"
#include "world/EnemyBullet.h"
#include "world/PlayerShip.h"

class EnemyFixture : public WorldFixture {
protected:
    // One update of the enemies only; the bullets it fired. For passes that
    // cancel no bullets (no large enemy explodes).
    std::vector<EnemyBullet*> EnemyPass() {
        std::size_t before = static_cast<std::size_t>(world.bulletPool.Count());
        world.enemyPool.UpdateAll(world);
        auto all = All<EnemyBullet>(world.bulletPool);
        if (all.size() < before) {
            ADD_FAILURE() << "bullets were cancelled during the pass";
            return {};
        }
        return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
    }

    // A ship that stands still and never collides: a target and nothing more.
    PlayerShip& Ship(float x, float y) {
        world.playerPool.Clear();
        PlayerShip* ship = world.Spawn<PlayerShip>(x, y, 0);
        world.SetPlayer(ship);
        return *ship;
    }

    int Score() const { return std::stoi(world.GetScore().Text()); }
};
