#include "game/Scene.h"

#include "game/GameApp.h"

Scene::Scene(GameApp& app) : GameObject(app.ScenePool(), 0, 0, 0), app(app) {}
