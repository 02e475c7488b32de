#include "game/Scene.h"

#include "game/GameApp.h"

ObjectPool& Scene::Pool() {
    return *App().scenePool;
}

Scene::Scene() : GameObject(Pool(), 0, 0, 0) {}
