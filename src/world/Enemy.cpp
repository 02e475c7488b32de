#include "world/Enemy.h"

#include "game/GameApp.h"

ObjectPool& Enemy::Pool() {
    return *App().enemyPool;
}

Enemy::Enemy(Mesh* model, float x, float y, float hitLeft, float hitTop, float hitRight,
             float hitBottom, float hitPoints, int score)
    : GameObject(Pool(), x, y, -200.0f, hitLeft, hitTop, hitRight, hitBottom),
      model(model),
      variant(static_cast<int>(App().NextRandom() + 0.5)),
      hitPoints(hitPoints),
      score(score) {}
