// The generator's polygon triangulation, which every extruded outline relies on.
#include <gtest/gtest.h>

#include <vector>

#include "XFile.h"

namespace mk = mkmedia;

TEST(ModelBuilder, ConcaveOutlinesTriangulateExactly) {
    // An L and a star: the triangles must cover exactly the outline's area.
    const std::vector<std::vector<mk::Point2>> outlines = {
        {{0, 0}, {3, 0}, {3, 1}, {1, 1}, {1, 3}, {0, 3}},
        {{0, 2},
         {0.5f, 0.5f},
         {2, 0},
         {0.5f, -0.5f},
         {0, -2},
         {-0.5f, -0.5f},
         {-2, 0},
         {-0.5f, 0.5f}},
    };
    const float areas[] = {5.0f, 4.0f};
    for (size_t k = 0; k < outlines.size(); ++k) {
        const auto& p = outlines[k];
        std::vector<int> tris = mk::TriangulatePolygon(p);
        ASSERT_EQ(tris.size(), (p.size() - 2) * 3);
        float sum = 0;
        for (size_t i = 0; i < tris.size(); i += 3) {
            const mk::Point2 &a = p[tris[i]], &b = p[tris[i + 1]], &c = p[tris[i + 2]];
            float twice = (b.x - a.x) * (c.z - a.z) - (b.z - a.z) * (c.x - a.x);
            EXPECT_GT(twice, 0) << "triangles keep one orientation";
            sum += twice / 2;
        }
        EXPECT_NEAR(sum, areas[k], 1e-4f);
    }
}
