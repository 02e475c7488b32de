#include "game/Scene.h"

Scene::Scene(SceneHost& host) : GameObject(host.ScenePool(), 0, 0, 0), host(host) {}
