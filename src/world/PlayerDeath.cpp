#include "world/PlayerDeath.h"
#include "graphics/Mesh.h"

#include <cmath>

#include "world/FieldMath.h"
#include "world/Item.h"
#include "world/PlayerStates.h"
#include "world/World.h"

namespace {
constexpr int kDeathUpdates = 51;
constexpr int kGameOverDrops = 10;
constexpr float kScatter = 10.0f;
// The burst's three fragments fly apart in these directions (radians, world x and z).
constexpr double kFragmentAngles[] = {0.12 * kPi, 0.78 * kPi, 1.44 * kPi};
}  // namespace

PlayerDeath::PlayerDeath(World& world, float x, float y, int options)
    : Effect(world, x, y), deathOptions(options) {
    world.PlaySound("sndBossOut");
}

bool PlayerDeath::Update(World& world) {
    if (++deathTime < kDeathUpdates) return true;
    world.LoseLife();
    if (world.GetLives() < 1) {
        DropOptions(world, kGameOverDrops);
        world.SetPlayer(nullptr);
        world.Flow().GameOver();
        return false;
    }
    DropOptions(world, (deathOptions + 1) / 2);
    world.SetPlayer(world.Spawn<PlayerRespawn>(x, y, 0));
    return false;
}

void PlayerDeath::DropOptions(World& world, int count) {
    for (int i = 0; i < count; ++i) {
        double s1 = world.RandomSigned();
        double s2 = world.RandomSigned();
        world.Spawn<PowerItem>(static_cast<float>(x + kScatter * s2),
                               static_cast<float>(y + kScatter * s1), PowerKind::Option);
    }
}

void PlayerDeath::Draw(const World& world) {
    auto t = static_cast<float>(deathTime);
    float s = 0.2f * t + 0.2f;
    float a = 1.0f - 0.02f * t;
    Mesh& burst = world.Model("crash_2");
    glm::vec3 centre{x, depth, -y};
    burst.Draw(centre, {s, 1.0f, s}, {0.0f, 0.0f, 0.0f}, RotationOrder::ZYX, a, false);
    float reach = 0.5f * t;
    for (double angle : kFragmentAngles) {
        glm::vec3 offset{static_cast<float>(std::cos(angle)) * reach, 0.0f,
                         static_cast<float>(std::sin(angle)) * reach};
        burst.Draw(centre + offset, {s, 1.0f, s}, {0.0f, 0.0f, 0.0f}, RotationOrder::ZYX, a, false);
    }
}
