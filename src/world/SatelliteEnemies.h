#pragma once
#include "world/CompositeEnemy.h"

// A hub with three arms of four satellites that circle it.
class EnemyBig5 : public CompositeHead {
public:
    explicit EnemyBig5(float x);
    bool Update() override;
};

// Circles its hub at a fixed radius, firing needles that trail behind its turn.
class OrbitSatellite : public CompositePart {
public:
    OrbitSatellite(const CompositeHead& hub, int variant, float angle, float radius);
    bool Update() override;

    float angle;  // radians
    float radius;
};

// A slowly turning hub with a ring of eight satellites that breathes in and out.
class EnemyBig6 : public CompositeHead {
public:
    explicit EnemyBig6(float x);
    bool Update() override;
};

// Circles its hub on the breathing ring, firing outward.
class PulseSatellite : public CompositePart {
public:
    PulseSatellite(const CompositeHead& hub, int variant, float angle);
    bool Update() override;

    float angle;  // radians
};
