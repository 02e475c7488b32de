#include "world/CompositeEnemy.h"

namespace {
constexpr float kHeadStartY = -74.0f;
constexpr float kPartHalf = 1.5f;
}  // namespace

CompositeHead::CompositeHead(World& world, Mesh* model, float x, float hitPoints)
    : LargeEnemy(world, model, x, kHeadStartY, hitPoints) {}

void CompositeHead::DecideEnd(World& world, float bottomLimit) {
    if (hitPoints <= 0.0f) {
        Die(world);
        state = State::Destroyed;
    }
    if (y >= bottomLimit) state = State::Left;
}

// Parts wait at x = 0 above the field until their head first places them.
CompositePart::CompositePart(World& world, Mesh* model, const CompositeHead& head, int variant)
    : SmallEnemy(world, model, 0.0f, kPartHalf), head(head) {
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
