// The 2D pictures: the title screen, the life and bomb icons and a soft glow.
#include <algorithm>
#include <cmath>
#include <vector>

#include "Image.h"
#include "Media.h"
#include "Noise.h"
#include "Space.h"

namespace mkmedia {

namespace {

constexpr float kPi = 3.14159265358979f;

float SmoothStep(float a, float b, float x) {
    float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

using Strokes = std::vector<std::pair<Point, Point>>;

// Adds a polyline through the points to the strokes.
void Polyline(Strokes& s, std::initializer_list<Point> points) {
    const Point* prev = nullptr;
    for (const Point& p : points) {
        if (prev) s.push_back({*prev, p});
        prev = &p;
    }
}

// The title's letters as strokes in a 1 x 1 box (y down), chamfered and wide.
Strokes Letter(char c) {
    Strokes s;
    const float k = 0.22f;  // chamfer
    switch (c) {
        case 'V':
            Polyline(s, {{0, 0}, {0.5f, 1}, {1, 0}});
            break;
        case 'E':
            Polyline(s, {{1, 0}, {0, 0}, {0, 1}, {1, 1}});
            Polyline(s, {{0, 0.5f}, {0.78f, 0.5f}});
            break;
        case 'L':
            Polyline(s, {{0, 0}, {0, 1}, {1, 1}});
            break;
        case 'M':
            Polyline(s, {{0, 1}, {0, 0}, {0.5f, 0.55f}, {1, 0}, {1, 1}});
            break;
        case 'O':
            Polyline(s, {{k, 0},
                         {1 - k, 0},
                         {1, k},
                         {1, 1 - k},
                         {1 - k, 1},
                         {k, 1},
                         {0, 1 - k},
                         {0, k},
                         {k, 0}});
            break;
        case 'R':
            Polyline(s,
                     {{0, 1}, {0, 0}, {1 - k, 0}, {1, k}, {1, 0.5f - k}, {1 - k, 0.5f}, {0, 0.5f}});
            Polyline(s, {{0.5f, 0.5f}, {1, 1}});
            break;
        case 'A':
            Polyline(
                s,
                {{0, 1}, {0, k + 0.1f}, {k + 0.1f, 0}, {1 - k - 0.1f, 0}, {1, k + 0.1f}, {1, 1}});
            Polyline(s, {{0, 0.58f}, {1, 0.58f}});
            break;
    }
    return s;
}

Image Title() {
    const int w = 640, h = 480;
    Image img(w, h, {0, 0, 0, 1});
    // Deep space: a faint nebula and two kinds of stars.
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float u = x / 80.0f, v = y / 80.0f;
            float n = noise::TiledFbm(u, v, 8, 6, 5, 5);
            float m = noise::TiledFbm(u * 0.5f + 3, v * 0.5f, 4, 3, 3, 9);
            float cloud = SmoothStep(0.45f, 0.85f, n) * (0.55f + 0.45f * m);
            // Brighter toward the top right, where the light seems to come from.
            float bias =
                0.45f +
                0.55f * SmoothStep(0, 1, (x / float(w)) * 0.6f + (1 - y / float(h)) * 0.7f - 0.2f);
            float g = cloud * bias;
            Color c = Mix({0.20f, 0.06f, 0.38f, 1}, {0.05f, 0.28f, 0.45f, 1}, m);
            img.At(x, y) = {0.01f + c.r * g * 0.8f, 0.012f + c.g * g * 0.8f,
                            0.03f + c.b * g * 0.8f + 0.02f * (1 - y / float(h)), 1};
        }
    }
    noise::Random rnd(77);
    for (int i = 0; i < 500; ++i) {
        float x = rnd.Range(0, w), y = rnd.Range(0, h), b = rnd.Range(0.15f, 0.75f);
        b *= b;
        img.Add(static_cast<int>(x), static_cast<int>(y), {0.85f, 0.9f, 1, 1}, b);
    }
    for (int i = 0; i < 28; ++i) {
        float x = rnd.Range(0, w), y = rnd.Range(0, h), b = rnd.Range(0.5f, 1.0f);
        for (int dy = -5; dy <= 5; ++dy) {
            for (int dx = -5; dx <= 5; ++dx) {
                float d2 = static_cast<float>(dx * dx + dy * dy);
                float glint =
                    (dx == 0 || dy == 0) ? 0.25f * std::exp(-std::abs(dx + dy) * 0.6f) : 0;
                img.Add(static_cast<int>(x) + dx, static_cast<int>(y) + dy, {0.8f, 0.9f, 1, 1},
                        b * (std::exp(-d2 * 0.9f) + glint));
            }
        }
    }
    // A planet low on the left, lit from the upper right, with a thin atmosphere.
    const float pcx = 90, pcy = 560, pr = 250;
    for (int y = 300; y < h; ++y) {
        for (int x = 0; x < 360; ++x) {
            float dx = (x + 0.5f - pcx) / pr, dy = (y + 0.5f - pcy) / pr;
            float d = std::sqrt(dx * dx + dy * dy);
            Color& p = img.At(x, y);
            if (d < 1) {
                float nz = std::sqrt(1 - d * d);
                float light = std::max(0.0f, dx * 0.55f - dy * 0.55f + nz * 0.25f);
                float bands = noise::TiledFbm(dx * 3 + 10, dy * 14 + 10, 64, 64, 4, 41);
                Color surf = Mix({0.10f, 0.16f, 0.30f, 1}, {0.30f, 0.42f, 0.55f, 1}, bands);
                float edge = SmoothStep(1.0f, 0.985f, d);
                Color lit{surf.r * light * 0.8f, surf.g * light * 0.8f, surf.b * light * 0.9f, 1};
                p = Mix(p, lit, edge);
            }
            float rim = std::exp(-std::fabs(d - 1.0f) * 60) * std::max(0.0f, dx - dy + 0.3f);
            img.Add(x, y, {0.3f, 0.6f, 1.0f, 1}, 0.6f * rim);
        }
    }
    // Keep the menu (x 256.., y 240..344) on calm, dark ground.
    for (int y = 200; y < 390; ++y) {
        for (int x = 200; x < 460; ++x) {
            float fx = std::min(x - 200, 459 - x) / 40.0f, fy = std::min(y - 200, 389 - y) / 30.0f;
            float k = 0.75f * SmoothStep(0, 1, std::min(fx, fy));
            Color& p = img.At(x, y);
            p.r *= 1 - k;
            p.g *= 1 - k;
            p.b *= 1 - k;
        }
    }
    // The name: chrome letters, a dark outline and a cyan glow, slanted for speed.
    const char* name = "VELMORA";
    const float letterW = 58, letterH = 64, gap = 14, top = 92, stroke = 6.5f, slant = 0.22f;
    const float total = 7 * letterW + 6 * gap, left = (w - total) / 2 - 8;
    std::vector<float> dist(static_cast<size_t>(w) * h, 1e9f);
    for (int i = 0; i < 7; ++i) {
        float lx = left + i * (letterW + gap);
        for (const auto& [a, b] : Letter(name[i])) {
            auto place = [&](Point p) {
                return Point{lx + p.x * letterW + (1 - p.y) * letterH * slant, top + p.y * letterH};
            };
            Point pa = place(a), pb = place(b);
            int x0 = static_cast<int>(std::min(pa.x, pb.x) - 40),
                x1 = static_cast<int>(std::max(pa.x, pb.x) + 40);
            int y0 = static_cast<int>(std::min(pa.y, pb.y) - 40),
                y1 = static_cast<int>(std::max(pa.y, pb.y) + 40);
            for (int y = std::max(0, y0); y < std::min(h, y1); ++y) {
                for (int x = std::max(0, x0); x < std::min(w, x1); ++x) {
                    float& d = dist[static_cast<size_t>(y) * w + x];
                    d = std::min(d, SegmentDistance({x + 0.5f, y + 0.5f}, pa, pb));
                }
            }
        }
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float d = dist[static_cast<size_t>(y) * w + x];
            if (d > 60) continue;
            float glow = std::exp(-std::max(0.0f, d - stroke) / 9.0f);
            img.Add(x, y, {0.1f, 0.45f, 1.0f, 1}, 0.55f * glow);
            float outline = std::clamp(stroke + 2.5f - d, 0.0f, 1.0f);
            img.Over(x, y, {0.01f, 0.02f, 0.08f, 1}, outline);
            float t = (y - top) / letterH;
            // Chrome: bright sky above the horizon line, deep blue under it, light again below.
            Color c = t < 0.52f
                          ? Mix({1, 1, 1, 1}, {0.55f, 0.85f, 1, 1}, t / 0.52f)
                          : Mix({0.08f, 0.25f, 0.65f, 1}, {0.6f, 0.9f, 1, 1}, (t - 0.52f) / 0.48f);
            float edge = std::clamp(stroke - d, 0.0f, 1.0f);
            img.Over(x, y, c, edge);
        }
    }
    // A thin lens streak under the name.
    for (int x = 0; x < w; ++x) {
        float k = std::exp(-std::pow((x - w * 0.55f) / 190.0f, 2.0f));
        for (int dy = -2; dy <= 2; ++dy) {
            img.Add(x, 172 + dy, {0.4f, 0.75f, 1, 1}, k * 0.5f * std::exp(-dy * dy * 0.8f));
        }
    }
    return img;
}

// A top view of the player's ship for the life counter, nose up.
Image LifeIcon() {
    const int s = 28;
    Image img(s, s);
    auto p = [](float x, float y) { return Point{14 + x, 14 + y}; };
    img.FillPolygon({p(0, -13), p(3, -4), p(12, 6), p(12, 10), p(4, 8), p(0, 11), p(-4, 8),
                     p(-12, 10), p(-12, 6), p(-3, -4)},
                    {0.05f, 0.1f, 0.25f, 1});  // outline
    img.FillPolygon({p(0, -11.5f), p(2.2f, -3.5f), p(10.8f, 6.2f), p(10.8f, 8.8f), p(4, 7),
                     p(0, 9.5f), p(-4, 7), p(-10.8f, 8.8f), p(-10.8f, 6.2f), p(-2.2f, -3.5f)},
                    {0.85f, 0.9f, 0.97f, 1});
    img.FillPolygon({p(10.8f, 6.2f), p(10.8f, 8.8f), p(6, 7.6f), p(6, 2.4f)},
                    {0.2f, 0.45f, 0.95f, 1});
    img.FillPolygon({p(-10.8f, 6.2f), p(-10.8f, 8.8f), p(-6, 7.6f), p(-6, 2.4f)},
                    {0.2f, 0.45f, 0.95f, 1});
    img.Dot(14, 14 + 1.5f, 2.2f, {0.3f, 0.95f, 1, 1});
    img.Dot(14 - 2.5f, 14 + 9.5f, 1.3f, {1, 0.6f, 0.2f, 1});
    img.Dot(14 + 2.5f, 14 + 9.5f, 1.3f, {1, 0.6f, 0.2f, 1});
    return img;
}

// The bomb: a green orb in a gold ring, like the bomb item.
Image BombIcon() {
    const int s = 28;
    Image img(s, s);
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            float dx = (x + 0.5f - 14) / 10, dy = (y + 0.5f - 14) / 10;
            float d = std::sqrt(dx * dx + dy * dy);
            float cover = std::clamp((1 - d) * 10, 0.0f, 1.0f);
            float shade = std::clamp(0.55f + 0.45f * (-dx * 0.5f - dy * 0.7f) +
                                         0.3f * std::sqrt(std::max(0.0f, 1 - d * d)),
                                     0.0f, 1.2f);
            img.Over(x, y, {0.15f * shade, 0.75f * shade, 0.3f * shade, 1}, cover);
        }
    }
    std::vector<Point> ring;
    for (int i = 0; i < 40; ++i) {
        float a = 2 * kPi * i / 40;
        ring.push_back({14 + 13.5f * std::cos(a), 14 + 4.5f * std::sin(a)});
    }
    for (int i = 39; i >= 0; --i) {
        float a = 2 * kPi * i / 40;
        ring.push_back({14 + 11 * std::cos(a), 14 + 2.6f * std::sin(a)});
    }
    img.FillPolygon(ring, {1.0f, 0.8f, 0.25f, 1});
    img.Dot(10.5f, 10, 2, {0.85f, 1, 0.85f, 0.8f});
    return img;
}

// A round soft glow, white in the middle.
Image Glow() {
    const int s = 64;
    Image img(s, s);
    for (int y = 0; y < s; ++y) {
        for (int x = 0; x < s; ++x) {
            float d = std::hypot(x + 0.5f - 32, y + 0.5f - 32) / 32;
            float a = std::clamp(std::exp(-d * d * 5) - 0.007f, 0.0f, 1.0f);
            Color c = Mix({0.45f, 0.8f, 1, 1}, {1, 1, 1, 1}, std::exp(-d * d * 30));
            img.At(x, y) = {c.r, c.g, c.b, a};
        }
    }
    return img;
}

}  // namespace

bool WriteTextures(const std::filesystem::path& dir) {
    return Title().WritePng((dir / "title.png").string()) &&
           LifeIcon().WritePng((dir / "ship.png").string()) &&
           BombIcon().WritePng((dir / "bomb.png").string()) &&
           Glow().WritePng((dir / "a.png").string());
}

}  // namespace mkmedia
