#include "world/Background.h"
#include "graphics/Mesh.h"

#include "world/Depth.h"
#include "world/PlayerShip.h"
#include "world/World.h"

ObjectPool& Background::PoolIn(World& world) {
    return world.backgroundPool;
}

Background::Background(World& world) : GameObject(PoolIn(world), 0, 0, 0) {}

bool Background::Update(World&) {
    ++counter;
    return true;
}

void Background::Draw(const World& world) {
    float z0 = -static_cast<float>(counter % 120);
    // The floor leans against the ship's sideways movement.
    PlayerShip* ship = world.GetPlayer();
    float roll = ship ? -ship->x / 400.0f : 0.0f;
    Mesh& floor = world.Model("bg1");
    auto channel = [&](int shift) {
        return static_cast<float>(world.floorColour >> shift & 0xff) / 255.0f;
    };
    const ColorValue colour{channel(16), channel(8), channel(0), world.backgroundLight};
    for (int i = 0; i < 4; ++i) {
        floor.Draw({0.0f, depth::kBackground, z0 + 60.0f * static_cast<float>(i)},
                   {40.0f, 40.0f, 40.0f}, {0.125f, 0.0f, roll}, RotationOrder::ZX, colour, true);
    }
}
