#include "world/Background.h"
#include "graphics/Mesh.h"

#include "world/Depth.h"
#include "world/PlayerShip.h"
#include "world/World.h"

ObjectPool& Background::Pool() {
    return CurrentWorld().backgroundPool;
}

Background::Background() : GameObject(Pool(), 0, 0, 0) {}

bool Background::Update() {
    ++counter;
    return true;
}

void Background::Draw() {
    float z0 = -static_cast<float>(counter % 120);
    // The floor leans against the ship's sideways movement.
    PlayerShip* ship = CurrentWorld().GetPlayer();
    float roll = ship ? -ship->x / 400.0f : 0.0f;
    Mesh& floor = CurrentWorld().Model("bg1");
    for (int i = 0; i < 4; ++i) {
        floor.Draw({0.0f, depth::kBackground, z0 + 60.0f * static_cast<float>(i)},
                   {40.0f, 40.0f, 40.0f}, {0.125f, 0.0f, roll}, RotationOrder::ZX, 1.0f, true);
    }
}
