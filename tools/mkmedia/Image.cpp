#include "Image.h"

#include <png.h>

#include <algorithm>
#include <cmath>

namespace mkmedia {

Image::Image(int width, int height, Color fill)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height, fill) {}

void Image::Over(int x, int y, Color c, float coverage) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (a <= 0) return;
    Color& d = At(x, y);
    float outA = a + d.a * (1 - a);
    auto blend = [&](float s, float t) { return (s * a + t * d.a * (1 - a)) / outA; };
    d = {blend(c.r, d.r), blend(c.g, d.g), blend(c.b, d.b), outA};
}

void Image::Add(int x, int y, Color c, float amount) {
    if (x < 0 || y < 0 || x >= width || y >= height || amount <= 0) return;
    Color& d = At(x, y);
    d.r += c.r * amount;
    d.g += c.g * amount;
    d.b += c.b * amount;
    d.a = std::max(d.a, std::min(1.0f, amount));
}

namespace {
bool Inside(const std::vector<Point>& poly, float x, float y) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Point& a = poly[i];
        const Point& b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}
}  // namespace

void Image::FillPolygon(const std::vector<Point>& points, Color c) {
    if (points.size() < 3) return;
    float minX = points[0].x, maxX = minX, minY = points[0].y, maxY = minY;
    for (const Point& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    int x1 = std::min(width - 1, static_cast<int>(std::ceil(maxX)));
    int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    int y1 = std::min(height - 1, static_cast<int>(std::ceil(maxY)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy) {
                for (int sx = 0; sx < 4; ++sx) {
                    hits += Inside(points, x + (sx + 0.5f) / 4, y + (sy + 0.5f) / 4);
                }
            }
            if (hits) Over(x, y, c, hits / 16.0f);
        }
    }
}

void Image::Dot(float cx, float cy, float radius, Color c) {
    int x0 = static_cast<int>(std::floor(cx - radius - 1));
    int x1 = static_cast<int>(std::ceil(cx + radius + 1));
    int y0 = static_cast<int>(std::floor(cy - radius - 1));
    int y1 = static_cast<int>(std::ceil(cy + radius + 1));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            Over(x, y, c, std::clamp(radius + 0.5f - d, 0.0f, 1.0f));
        }
    }
}

bool Image::WritePng(const std::string& path) const {
    std::vector<png_byte> bytes(pixels.size() * 4);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Color& c = pixels[i];
        const float v[4] = {c.r, c.g, c.b, c.a};
        for (int k = 0; k < 4; ++k) {
            bytes[i * 4 + k] =
                static_cast<png_byte>(std::lround(std::clamp(v[k], 0.0f, 1.0f) * 255));
        }
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGBA;
    bool ok = png_image_write_to_file(&image, path.c_str(), 0, bytes.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

float SegmentDistance(Point p, Point a, Point b) {
    float dx = b.x - a.x, dy = b.y - a.y;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0f, 1.0f) : 0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

}  // namespace mkmedia
