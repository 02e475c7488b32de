#pragma once
// How the fixed-size picture is placed on a window of any size.
enum class PictureFit {
    Aspect,   // as large as fits with its own shape, centred between black bars
    Integer,  // the largest whole multiple that fits, centred; shrunk to fit when none does
    Stretch,  // over the whole window
};

// A rectangle of the window, in pixels from its top-left corner.
struct PictureRect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const PictureRect&) const = default;
    bool Contains(int px, int py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

// Where a picture of pictureWidth x pictureHeight goes in a window of
// windowWidth x windowHeight; never larger than the window, never empty in a
// window that is not.
PictureRect FitPicture(PictureFit fit, int windowWidth, int windowHeight, int pictureWidth,
                       int pictureHeight);
