#pragma once
#include <glm/glm.hpp>

#include "world/CompositeEnemy.h"

// A head trailing a chain of twelve segments: the last sits on the head, the
// first chases the ship on a leash of 72, and the ones between hang evenly.
// The head keeps the shape of the whole chain, so a segment that could not be
// created leaves only a gap.
class EnemyBig4 : public CompositeHead {
public:
    static constexpr int kSegments = 12;

    // kind: the head's, whose parts are the links.
    EnemyBig4(World& world, const EnemyKind& kind, float x);
    bool Update(World& world) override;

    // Where segment i is, 0 the chasing end, 11 on the head.
    glm::vec2 joints[kSegments];

private:
    void MoveChain(const World& world);
};

// One link of an EnemyBig4's chain: fires at the ship every 40 updates.
class ChainSegment : public CompositePart {
public:
    ChainSegment(World& world, const EnemyKind& kind, const EnemyBig4& chain, int index);
    bool Update(World& world) override;

    int index;
};
