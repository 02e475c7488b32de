#include <cmath>

#include <gtest/gtest.h>

#include "world/Collision.h"

namespace {

struct Box : GameObject {
    static constexpr std::size_t kSlotSize = 64;
    Box(ObjectPool& pool, float x, float y, float half)
        : GameObject(pool, x, y, 0, -half, -half, half, half) {}
};

struct CollisionFixture : ::testing::Test {
    Box* Make(float x, float y, float half) { return new (pool.Allocate()) Box(pool, x, y, half); }
    ObjectPool pool{Box::kSlotSize, 8};
};

}  // namespace

TEST_F(CollisionFixture, BoxesThatOnlyTouchDoNotOverlap) {
    Box& a = *Make(0.0f, 0.0f, 1.0f);
    Box& right = *Make(2.0f, 0.0f, 1.0f);  // right edge of a on left edge of b
    Box& below = *Make(0.5f, 2.0f, 1.0f);
    EXPECT_FALSE(Overlaps(a, right));
    EXPECT_FALSE(Overlaps(right, a));
    EXPECT_FALSE(Overlaps(a, below));

    right.x = std::nextafter(2.0f, 0.0f);
    below.y = std::nextafter(2.0f, 0.0f);
    EXPECT_TRUE(Overlaps(a, right));
    EXPECT_TRUE(Overlaps(right, a));
    EXPECT_TRUE(Overlaps(a, below));
    below.x = -2.0f;  // diagonal corner contact
    below.y = -2.0f;
    EXPECT_FALSE(Overlaps(a, below));
}

TEST_F(CollisionFixture, ACentreOnTheWidenedEdgeIsInside) {
    Box& o = *Make(54.0f, -54.0f, 0.0f);
    EXPECT_FALSE(IsOutside(o, 4.0f));
    o.x = std::nextafter(54.0f, 100.0f);
    EXPECT_TRUE(IsOutside(o, 4.0f));
    o.x = -55.0f;
    o.y = 0.0f;
    EXPECT_FALSE(IsOutside(o, 5.0f));
    EXPECT_TRUE(IsOutside(o, 4.0f));
    o.x = 0.0f;
    o.y = std::nextafter(-54.0f, -100.0f);
    EXPECT_TRUE(IsOutside(o, 4.0f));
    o.y = 50.0f;
    EXPECT_FALSE(IsOutside(o, 0.0f));
}
