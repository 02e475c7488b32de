#include "world/CompositeEnemy.h"

namespace {
constexpr float kHeadStartY = -74.0f;
constexpr float kPartHalf = 1.5f;
}  // namespace

CompositeHead::CompositeHead(World& world, const EnemyKind& kind, float x)
    : LargeEnemy(world, kind, x, kHeadStartY), kind(kind) {}

void CompositeHead::Sink(World& world) {
    y += kind.tuning.descent;
    yaw += kind.tuning.spin;
    if (hitPoints <= 0.0f) {
        Die(world);
        state = State::Destroyed;
    }
    if (y >= kind.tuning.bottom) state = State::Left;
}

// Parts wait at x = 0 above the field until their head first places them.
CompositePart::CompositePart(World& world, const EnemyKind& kind, const CompositeHead& head,
                             int variant)
    : SmallEnemy(world, kind, 0.0f, kPartHalf), head(head), tuning(kind.tuning) {
    this->variant = variant;
}

bool CompositePart::FollowHead(World& world) {
    switch (head.state) {
        case CompositeHead::State::Alive:
            return true;
        case CompositeHead::State::Destroyed:
            Die(world);
            return false;
        case CompositeHead::State::Left:
            return false;
    }
    return false;
}
