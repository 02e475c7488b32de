#include "Bot.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "world/Enemy.h"
#include "world/EnemyBullet.h"
#include "world/Field.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {

// Both bots weave between these edges, on this row.
constexpr float kWeaveEdge = 30.0f;
constexpr float kHomeY = 30.0f;
constexpr float kNear = 24.0f;        // only what is this close is looked at
constexpr float kComfortable = 4.0f;  // more room than this counts as safe
constexpr int kHorizon[] = {1, 3, 6, 10, 15};

struct Mover {
    glm::vec2 at, velocity;
    float reach;  // half the size of what it hits with, plus the ship's
};

// What is within this reach of the ship, with its velocity guessed from where it
// was a step ago; lastSeen becomes where everything on the field is now.
std::vector<Mover> NearShip(const World& world, const PlayerShip* ship, float within,
                            std::unordered_map<const GameObject*, glm::vec2>& lastSeen) {
    std::unordered_map<const GameObject*, glm::vec2> seen;
    std::vector<Mover> near;
    auto look = [&](const GameObject& o, float reach) {
        glm::vec2 at{o.x, o.y};
        seen[&o] = at;
        if (!ship || std::abs(o.x - ship->x) > within || std::abs(o.y - ship->y) > within) return;
        auto last = lastSeen.find(&o);
        glm::vec2 v{0.0f, 0.0f};
        if (last != lastSeen.end() && glm::length(at - last->second) < 3.0f) v = at - last->second;
        near.push_back(Mover{at, v, reach});
    };
    for (const EnemyBullet* b : Each<const EnemyBullet>(world.bulletPool))
        look(*b, 0.6f);
    for (const Enemy* e : Each<const Enemy>(world.enemyPool))
        look(*e, 0.3f + e->hitRight);
    lastSeen = std::move(seen);
    return near;
}

// The stick held toward this step: -1, 0 or 1 across and down.
void Steer(PadState& pad, int dx, int dy) {
    pad.left = dx < 0;
    pad.right = dx > 0;
    pad.up = dy < 0;
    pad.down = dy > 0;
}

}  // namespace

PadState WeavingBot::Play(const World& world) {
    PadState pad;
    pad.buttons[kButtonFire] = true;
    const PlayerShip* ship = world.GetPlayer();

    const std::vector<Mover> near = NearShip(world, ship, kNear, lastSeen);
    if (!ship) return pad;

    if (ship->x > kWeaveEdge) heading = -1;
    if (ship->x < -kWeaveEdge) heading = 1;
    // The one thing that will come closest over the next steps if the ship holds still.
    const Mover* threat = nullptr;
    float threatRoom = kComfortable;
    glm::vec2 here{ship->x, ship->y};
    for (const Mover& m : near) {
        for (int k : kHorizon) {
            glm::vec2 d = glm::abs(m.at + m.velocity * static_cast<float>(k) - here);
            float room = std::max(d.x, d.y) - m.reach + 0.1f * k;
            if (room < threatRoom) {
                threatRoom = room;
                threat = &m;
            }
        }
    }
    float bestScore = -1e9f;
    int best[2] = {0, 0};
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            glm::vec2 step{static_cast<float>(dx), static_cast<float>(dy)};
            if (dx && dy) step *= field::kDiagonal;
            float room = kComfortable;
            for (int k : kHorizon) {
                if (!threat) break;
                glm::vec2 me =
                    glm::clamp(here + field::kShipSpeed * static_cast<float>(k) * step,
                               glm::vec2(-field::kShipBound), glm::vec2(field::kShipBound));
                glm::vec2 d = glm::abs(threat->at + threat->velocity * static_cast<float>(k) - me);
                room = std::min(room, std::max(d.x, d.y) - threat->reach + 0.1f * k);
            }
            float x = std::clamp(ship->x + field::kShipSpeed * 6 * step.x, -field::kShipBound,
                                 field::kShipBound);
            float y = std::clamp(ship->y + field::kShipSpeed * 6 * step.y, -field::kShipBound,
                                 field::kShipBound);
            float score = 10.0f * room - std::abs(kHomeY - y) * 0.2f + heading * x * 0.05f;
            if (score > bestScore) {
                bestScore = score;
                best[0] = dx;
                best[1] = dy;
            }
        }
    }
    Steer(pad, best[0], best[1]);
    return pad;
}

PadState CarefulBot::Play(const World& world) {
    constexpr float kFocus = 0.4f;  // the ship's focused share of its speed
    constexpr int kLookAhead[] = {1, 2, 4, 7, 11, 16};
    PadState pad;
    pad.buttons[kButtonFire] = true;
    const PlayerShip* ship = world.GetPlayer();
    const std::vector<Mover> near = NearShip(world, ship, 2 * kNear, lastSeen);
    if (!ship) return pad;

    if (ship->x > kWeaveEdge) heading = -1;
    if (ship->x < -kWeaveEdge) heading = 1;
    const glm::vec2 here{ship->x, ship->y};
    float bestScore = -1e9f;
    int best[3] = {0, 0, 0};
    for (int focus = 0; focus < 2; ++focus) {
        const float speed = field::kShipSpeed * (focus ? kFocus : 1.0f);
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                glm::vec2 step{static_cast<float>(dx), static_cast<float>(dy)};
                if (dx && dy) step *= field::kDiagonal;
                // The least room to anything over the steps ahead, nearer steps weighing more.
                float room = 2 * kComfortable;
                for (int k : kLookAhead) {
                    const glm::vec2 me =
                        glm::clamp(here + speed * static_cast<float>(k) * step,
                                   glm::vec2(-field::kShipBound), glm::vec2(field::kShipBound));
                    for (const Mover& m : near) {
                        glm::vec2 d = glm::abs(m.at + m.velocity * static_cast<float>(k) - me);
                        room = std::min(room, std::max(d.x, d.y) - m.reach + 0.15f * k);
                    }
                }
                const glm::vec2 to =
                    glm::clamp(here + speed * 6.0f * step, glm::vec2(-field::kShipBound),
                               glm::vec2(field::kShipBound));
                float score = 10.0f * room - std::abs(kHomeY - to.y) * 0.2f +
                              heading * to.x * 0.05f - (focus ? 0.5f : 0.0f);
                if (score > bestScore) {
                    bestScore = score;
                    best[0] = dx;
                    best[1] = dy;
                    best[2] = focus;
                }
            }
        }
    }
    Steer(pad, best[0], best[1]);
    pad.buttons[kButtonFocus] = best[2] != 0;
    return pad;
}

PadState BlindBot::Play(const World& world) {
    PadState pad;
    pad.buttons[kButtonFire] = true;
    const PlayerShip* ship = world.GetPlayer();
    if (!ship) return pad;
    if (ship->x > kWeaveEdge) heading = -1;
    if (ship->x < -kWeaveEdge) heading = 1;
    pad.left = heading < 0;
    pad.right = heading > 0;
    // Back to the row it keeps, as long as it is a step or more away.
    pad.up = ship->y > kHomeY + field::kShipSpeed;
    pad.down = ship->y < kHomeY - field::kShipSpeed;
    return pad;
}
