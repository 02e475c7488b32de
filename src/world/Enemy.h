#pragma once
#include "world/EnemyKind.h"
#include "world/GameObject.h"

class Mesh;

// The base of everything in the enemy pool. Shots, bombs and the ship lower
// hitPoints directly; each kind checks them at the end of its own update.
class Enemy : public GameObject {
public:
    // Room for a kind that steers and fires by patterns.
    static constexpr std::size_t kSlotSize = 512;
    // Slots only the boss may take, so that each of its phases can always bring
    // in the next however full the field. At most seven boss objects live at
    // once: when time runs out, the part that found its partner gone lingers one
    // update beside the other pair and four escapes.
    static constexpr int kBossSlots = 7;
    static ObjectPool& PoolIn(World& world);

    Enemy(World& world, Mesh* model, float x, float y, float hitLeft, float hitTop, float hitRight,
          float hitBottom, float hitPoints, int score);
    // Of a size class, at its starting height, with the tuning's hit points
    // at the field's level and its score.
    Enemy(World& world, SizeClass size, float x, int model, const KindTuning& tuning);

    Mesh* model;
    float yaw = 0.0f;  // turns
    int counter = 0;
    int variant;  // colour of the bullets it fires, 0 or 1
    float hitPoints;
    int score;  // points on destruction

protected:
    // The end of an update that every enemy shares: one whose hit points ran
    // out scores, explodes and goes; one that reached bottomLimit leaves
    // silently. True while it stays.
    bool Survives(World& world, float bottomLimit);
    // Scores and leaves the explosion of its size.
    void Die(World& world);
    virtual void Explode(World& world) = 0;
    // The model at the enemy's place, tilted toward the camera and turned by yaw.
    void DrawModel(float scale) const;
    // The explosion that leaves what the kind drops.
    void ExplodeAs(World& world, Drops drops);
    // Where an enemy of the size class leaves the field, and how large it is drawn.
    static float Bottom(SizeClass size);
    static float Scale(SizeClass size);
};

// Small enemies: start above the field, a small explosion; gone once they
// reach y = 58. Their model, hit points and score are their kind's.
class SmallEnemy : public Enemy {
public:
    SmallEnemy(World& world, const EnemyKind& kind, float x);
    void Draw(const World& world) override;

protected:
    SmallEnemy(World& world, const EnemyKind& kind, float x, float hitHalf);
    bool Survives(World& world);
    void Explode(World& world) override;
};

// Large enemies: three times the size, a large explosion; gone once they reach y = 74.
class LargeEnemy : public Enemy {
public:
    LargeEnemy(World& world, const EnemyKind& kind, float x);
    void Draw(const World& world) override;

protected:
    // Starting at another height.
    LargeEnemy(World& world, const EnemyKind& kind, float x, float y);
    bool Survives(World& world);
    void Explode(World& world) override;
};
