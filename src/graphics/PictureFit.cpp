#include "graphics/PictureFit.h"

#include <algorithm>
#include <cstdint>

namespace {

PictureRect Centred(int windowWidth, int windowHeight, int width, int height) {
    width = std::clamp(width, 1, windowWidth);
    height = std::clamp(height, 1, windowHeight);
    return {(windowWidth - width) / 2, (windowHeight - height) / 2, width, height};
}

PictureRect KeepShape(int windowWidth, int windowHeight, int pictureWidth, int pictureHeight) {
    // Compare the two shapes in 64 bits: large windows overflow the products.
    int64_t wideness = int64_t{windowWidth} * pictureHeight;
    int64_t pictureWideness = int64_t{pictureWidth} * windowHeight;
    if (wideness > pictureWideness) {  // bars left and right
        int width = static_cast<int>(int64_t{windowHeight} * pictureWidth / pictureHeight);
        return Centred(windowWidth, windowHeight, width, windowHeight);
    }
    int height = static_cast<int>(int64_t{windowWidth} * pictureHeight / pictureWidth);
    return Centred(windowWidth, windowHeight, windowWidth, height);
}

}  // namespace

PictureRect FitPicture(PictureFit fit, int windowWidth, int windowHeight, int pictureWidth,
                       int pictureHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) return {};
    if (pictureWidth <= 0 || pictureHeight <= 0 || fit == PictureFit::Stretch) {
        return {0, 0, windowWidth, windowHeight};
    }
    if (fit == PictureFit::Integer) {
        int scale = std::min(windowWidth / pictureWidth, windowHeight / pictureHeight);
        if (scale >= 1) {
            return Centred(windowWidth, windowHeight, scale * pictureWidth, scale * pictureHeight);
        }
    }
    return KeepShape(windowWidth, windowHeight, pictureWidth, pictureHeight);
}
