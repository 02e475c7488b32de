#pragma once
// A regular enemy of a kind the content files describe: it moves by its
// kind's movement and fires by its fire rule. The aimed and fanned ones hold
// fire while there is no ship, the splitting ones fire blindly.
#include <glm/glm.hpp>

#include "world/Enemy.h"
#include "world/EnemyKind.h"
#include "world/PatternBullet.h"

class KindEnemy : public Enemy {
public:
    KindEnemy(World& world, const EnemyKind& kind, float x);
    bool Update(World& world) override;
    void Draw(const World& world) override;
    const char* HashName() const override { return kind.hashName.c_str(); }

    const EnemyKind& kind;

private:
    void Move(World& world);
    void Fire(World& world);
    void Explode(World& world) override;

    glm::vec2 velocity{0.0f};  // a drifter's
    PatternEmitter steering, firing;
};

// One enemy of the kind at a horizontal position, in its pool (a composite
// with its parts); null when the pool is full or the kind is a part only
// its head makes.
Enemy* SpawnKind(World& world, const EnemyKind& kind, float x);
