#include "script/EnemyFactory.h"

#include "world/Enemy.h"

const EnemyKind enemyKindTable[10] = {
    {"obj1", nullptr}, {"obj2", nullptr}, {"obj3", nullptr}, {"big1", nullptr}, {"big2", nullptr},
    {"big3", nullptr}, {"big4", nullptr}, {"big5", nullptr}, {"big6", nullptr}, {"boss", nullptr},
};
