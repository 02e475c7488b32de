#pragma once
#include <span>
#include <string_view>

class Enemy;
class World;

// Makes one enemy of a kind at a horizontal position (in the field's enemy
// pool, which keeps it); nothing when the pool is full.
using EnemyFactory = Enemy* (*)(World& world, float x);

struct EnemyKind {
    const char* name;  // as the stage script names it
    EnemyFactory create;
};

// The kinds the stage script can bring in, in the order they are searched.
std::span<const EnemyKind> EnemyKinds();
// The kind of that name, or null.
const EnemyKind* FindEnemyKind(std::string_view name);
