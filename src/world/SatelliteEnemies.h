#pragma once
#include "world/CompositeEnemy.h"

// A hub with three arms of four satellites that circle it.
class EnemyBig5 : public CompositeHead {
public:
    // kind: the hub's, whose parts are the satellites.
    EnemyBig5(World& world, const EnemyKind& kind, float x);
    bool Update(World& world) override;
};

// Circles its hub at a fixed radius, firing needles that trail behind its turn.
class OrbitSatellite : public CompositePart {
public:
    OrbitSatellite(World& world, const EnemyKind& kind, const CompositeHead& hub, int variant,
                   float angle, float radius);
    bool Update(World& world) override;

    float angle;  // radians
    float radius;
};

// A slowly turning hub with a ring of eight satellites that breathes in and out.
class EnemyBig6 : public CompositeHead {
public:
    EnemyBig6(World& world, const EnemyKind& kind, float x);
    bool Update(World& world) override;
};

// Circles its hub on the breathing ring, firing outward.
class PulseSatellite : public CompositePart {
public:
    PulseSatellite(World& world, const EnemyKind& kind, const CompositeHead& hub, int variant,
                   float angle);
    bool Update(World& world) override;

    float angle;  // radians
};
