#pragma once
// Hit-box and bounds tests. Inline: the ship and every shot run them against
// whole pools each update.
#include "world/Field.h"
#include "world/GameObject.h"

// True when b overlaps a box given as offsets around a's centre; touching is not overlapping.
inline bool OverlapsBox(const GameObject& a, const GameObject& b, float left, float top,
                        float right, float bottom) {
    return b.x + b.hitRight > a.x + left && a.x + right > b.x + b.hitLeft &&
           b.y + b.hitBottom > a.y + top && a.y + bottom > b.y + b.hitTop;
}

inline bool Overlaps(const GameObject& a, const GameObject& b) {
    return OverlapsBox(a, b, a.hitLeft, a.hitTop, a.hitRight, a.hitBottom);
}

// True when the centre lies beyond the field widened by margin; on the edge is inside.
inline bool IsOutside(const GameObject& o, float margin) {
    float limit = field::kHalf + margin;
    return o.x < -limit || o.x > limit || o.y < -limit || o.y > limit;
}
