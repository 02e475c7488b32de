#include <gtest/gtest.h>

#include "graphics/PictureFit.h"

TEST(PictureFit, PlacesThePictureOnOddWindowsInEachMode) {
    struct Case {
        int w, h;
        PictureRect aspect, integer;
    };
    const Case cases[] = {
        {1, 1, {0, 0, 1, 1}, {0, 0, 1, 1}},
        {1200, 400, {333, 0, 533, 400}, {333, 0, 533, 400}},  // no whole multiple fits
        {1920, 1080, {240, 0, 1440, 1080}, {320, 60, 1280, 960}},
        {641, 481, {0, 0, 641, 480}, {0, 0, 640, 480}},
        {640, 480, {0, 0, 640, 480}, {0, 0, 640, 480}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        EXPECT_EQ(FitPicture(PictureFit::Aspect, c.w, c.h, 640, 480), c.aspect);
        EXPECT_EQ(FitPicture(PictureFit::Integer, c.w, c.h, 640, 480), c.integer);
        EXPECT_EQ(FitPicture(PictureFit::Stretch, c.w, c.h, 640, 480),
                  (PictureRect{0, 0, c.w, c.h}));
    }
    EXPECT_EQ(FitPicture(PictureFit::Aspect, 0, 0, 640, 480), PictureRect{});
    // Huge windows do not overflow the shape comparison.
    EXPECT_EQ(FitPicture(PictureFit::Aspect, 2000000000, 1500000000, 640, 480),
              (PictureRect{0, 0, 2000000000, 1500000000}));
}
