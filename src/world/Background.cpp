#include "world/Background.h"

#include "game/GameApp.h"
#include "world/PlayerShip.h"

ObjectPool& Background::Pool() {
    return *App().backgroundPool;
}

Background::Background() : GameObject(Pool(), 0, 0, 0) {}

bool Background::Update() {
    ++counter;
    return true;
}

void Background::Draw() {
    float z0 = -static_cast<float>(counter % 120);
    // The floor leans against the ship's sideways movement.
    PlayerShip* ship = App().GetPlayer();
    float roll = ship ? -ship->x / 400.0f : 0.0f;
    Mesh& floor = *App().models.bg1;
    for (int i = 0; i < 4; ++i) {
        floor.Draw({0.0f, -800.0f, z0 + 60.0f * static_cast<float>(i)}, {40.0f, 40.0f, 40.0f},
                   {0.125f, 0.0f, roll}, 8, 1.0f, true);
    }
}
