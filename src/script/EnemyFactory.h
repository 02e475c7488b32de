#pragma once

class Enemy;

// Makes one enemy of a kind at a horizontal position (in the enemy pool, which
// keeps it); nothing when the pool is full.
using EnemyFactory = Enemy* (*)(float x);

struct EnemyKind {
    const char* name;  // as the stage script names it
    EnemyFactory create;
};

// The kinds the stage script can bring in, searched in this order.
extern const EnemyKind enemyKindTable[10];
