#pragma once
// Large enemies made of a head and parts that live and die with it. The head
// creates its parts, so they come after it in the enemy pool and see in the
// same pass what the head decided: they end in the very update in which it is
// destroyed or leaves, and the head goes one update later.
#include "world/Enemy.h"

class CompositeHead : public LargeEnemy {
public:
    enum class State : int { Alive, Destroyed, Left };
    State state = State::Alive;

protected:
    // Starts lower than other large enemies: its parts spread above it.
    CompositeHead(World& world, const EnemyKind& kind, float x);
    // Sinks down the field, turning; destroyed (scores and explodes) or past its
    // kind's bottom: the parts end with it.
    void Sink(World& world);

    const EnemyKind& kind;
};

// A part with the small size class's score and explosion but its own smaller
// box. Its own hit points do nothing: shots that hit it are spent, yet only the
// head's end ends it.
class CompositePart : public SmallEnemy {
protected:
    CompositePart(World& world, const EnemyKind& kind, const CompositeHead& head, int variant);
    // True while the head is alive; with a destroyed head the part scores and explodes.
    bool FollowHead(World& world);

    const CompositeHead& head;
    const KindTuning& tuning;
    int fireCount = 0;
};
