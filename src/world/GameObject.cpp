#include "world/GameObject.h"

#include <typeinfo>

GameObject::GameObject(ObjectPool& pool, float x, float y, float depth)
    : PoolNode(pool), x(x), y(y), depth(depth) {}

GameObject::GameObject(ObjectPool& pool, float x, float y, float depth, float hitLeft, float hitTop,
                       float hitRight, float hitBottom)
    : PoolNode(pool),
      x(x),
      y(y),
      depth(depth),
      hitLeft(hitLeft),
      hitTop(hitTop),
      hitRight(hitRight),
      hitBottom(hitBottom) {}

const char* GameObject::HashName() const {
    return typeid(*this).name();
}
