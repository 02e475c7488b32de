#pragma once
// A float RGBA canvas with the few drawing operations the textures need, and
// its PNG output.
#include <string>
#include <vector>

namespace mkmedia {

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

inline Color Mix(Color a, Color b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
            a.a + (b.a - a.a) * t};
}

struct Point {
    float x, y;
};

class Image {
public:
    Image(int width, int height, Color fill = {0, 0, 0, 0});

    int Width() const { return width; }
    int Height() const { return height; }
    Color& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    const Color& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // Straight-alpha "over" of colour c with the given coverage (0..1).
    void Over(int x, int y, Color c, float coverage = 1.0f);
    // Adds light: rgb += c.rgb * amount, alpha raised to at least amount.
    void Add(int x, int y, Color c, float amount);

    // Anti-aliased polygon (any winding, even-odd), 4 x 4 samples per pixel.
    void FillPolygon(const std::vector<Point>& points, Color c);
    // Soft round dot: full inside radius, fading over one pixel.
    void Dot(float cx, float cy, float radius, Color c);

    // 8-bit RGBA PNG; false when the file cannot be written.
    bool WritePng(const std::string& path) const;

private:
    int width, height;
    std::vector<Color> pixels;
};

// Distance from p to the segment a-b.
float SegmentDistance(Point p, Point a, Point b);

}  // namespace mkmedia
