#include "Bot.h"

#include <cmath>

#include "world/Enemy.h"
#include "world/EnemyBullet.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {

constexpr float kWeaveEdge = 32.0f;
constexpr float kHomeY = 32.0f;
constexpr float kDanger = 7.0f;  // how close a bullet may come before the bot steps aside

struct Threat {
    float dx = 0, dy = 0, distance = 1e9f;
};

// The nearest bullet ahead of or beside the ship, or an enemy's body.
Threat Nearest(const World& world, const PlayerShip& ship) {
    Threat nearest;
    auto consider = [&](const GameObject& o, float reach) {
        float dx = o.x - ship.x, dy = o.y - ship.y;
        if (dy > 4.0f) return;  // already behind the ship
        float d = std::sqrt(dx * dx + dy * dy) - reach;
        if (d < nearest.distance) nearest = Threat{dx, dy, d};
    };
    for (const EnemyBullet* b : Each<const EnemyBullet>(world.bulletPool))
        consider(*b, 0.0f);
    for (const Enemy* e : Each<const Enemy>(world.enemyPool))
        consider(*e, e->hitRight);
    return nearest;
}

}  // namespace

PadState WeavingBot::Play(const World& world) {
    PadState pad;
    pad.buttons[kButtonFire] = true;
    const PlayerShip* ship = world.GetPlayer();
    if (!ship) return pad;

    if (ship->x > kWeaveEdge) heading = -1;
    if (ship->x < -kWeaveEdge) heading = 1;
    bool right = heading > 0;
    Threat threat = Nearest(world, *ship);
    if (threat.distance < kDanger) {
        // Away from it sideways, and back down the field when there is room.
        right = threat.dx < 0.0f;
        if (std::abs(ship->x) > 44.0f) right = ship->x < 0.0f;
        pad.down = ship->y < 44.0f;
    } else if (ship->y < kHomeY - 1.0f) {
        pad.down = true;
    } else if (ship->y > kHomeY + 1.0f) {
        pad.up = true;
    }
    pad.right = right;
    pad.left = !right;
    return pad;
}
