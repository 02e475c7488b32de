#include "world/CompositeEnemy.h"

namespace {
constexpr float kHeadStartY = -74.0f;
constexpr float kPartHalf = 1.5f;
}  // namespace

CompositeHead::CompositeHead(World& world, const KindTuning& kind, float x)
    : LargeEnemy(world, kind, x, kHeadStartY) {}

void CompositeHead::Sink(World& world, const KindTuning& kind) {
    y += kind.descent;
    yaw += kind.spin;
    if (hitPoints <= 0.0f) {
        Die(world);
        state = State::Destroyed;
    }
    if (y >= kind.bottom) state = State::Left;
}

// Parts wait at x = 0 above the field until their head first places them.
CompositePart::CompositePart(World& world, const KindTuning& kind, const CompositeHead& head,
                             int variant)
    : SmallEnemy(world, kind, 0.0f, kPartHalf), head(head) {
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
