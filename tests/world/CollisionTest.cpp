#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

#include "world/Collision.h"

namespace {

struct Box : GameObject {
    static constexpr std::size_t kSlotSize = 64;
    Box(ObjectPool& pool, float x, float y, float half)
        : GameObject(pool, x, y, 0, -half, -half, half, half) {}
};
using Case = std::tuple<float, float, bool>;  // where the other box is, and whether they overlap

}  // namespace

TEST(Collision, BoxesThatOnlyTouchDoNotOverlap) {
    ObjectPool pool{Box::kSlotSize, 2};
    const Box& a = *new (pool.Allocate()) Box(pool, 0.0f, 0.0f, 1.0f);
    Box& b = *new (pool.Allocate()) Box(pool, 0.0f, 0.0f, 1.0f);
    const float touch = 2.0f, in = std::nextafter(2.0f, 0.0f);
    const Case others[] = {{touch, 0.0f, false}, {in, 0.0f, true},        {0.5f, touch, false},
                           {0.5f, in, true},     {-touch, -touch, false}, {-in, -in, true}};
    for (auto [x, y, overlaps] : others) {
        b.x = x;
        b.y = y;
        EXPECT_EQ(Overlaps(a, b), overlaps) << x << ", " << y;
        EXPECT_EQ(Overlaps(b, a), overlaps) << x << ", " << y;
    }
}
