#include "Space.h"

#include <algorithm>
#include <cmath>

#include "Noise.h"

namespace mkmedia {

namespace {
constexpr float kPi = 3.14159265358979f;
// Screen pixels that one frame covers on a background copy in play.
constexpr float kScreenWidth = 870, kScreenHeight = 288;
// Nebula lattice: 12 x 4 cells per frame keeps its features round on screen.
constexpr int kCellsX = 12, kCellsY = 4;

float SmoothStep(float a, float b, float x) {
    float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
    return t * t * (3 - 2 * t);
}

}  // namespace

SpaceScene::SpaceScene(int width, int height) : width(width), height(height) {
    size_t n = static_cast<size_t>(width) * height;
    cloudA.resize(n);
    cloudB.resize(n);
    tint.resize(n);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float u = (x + 0.5f) / width * kCellsX, v = (y + 0.5f) / height * kCellsY;
            size_t i = static_cast<size_t>(y) * width + x;
            cloudA[i] = noise::TiledFbm(u, v, kCellsX, kCellsY, 5, 11);
            cloudB[i] = noise::TiledFbm(u * 2, v * 2, kCellsX * 2, kCellsY * 2, 4, 23);
            tint[i] = noise::TiledFbm(u * 0.5f, v * 0.5f, kCellsX, kCellsY, 3, 37);
        }
    }
    noise::Random rnd(2024);
    // Far, dim, slow stars; then a few near bright ones with glints.
    for (int i = 0; i < 420; ++i) {
        float warm = rnd.Next();
        stars.push_back({rnd.Next(), rnd.Next(), rnd.Range(0.6f, 1.1f), rnd.Range(0.25f, 0.7f),
                         rnd.Next(), 1 + static_cast<int>(rnd.Next() * 4), -2,
                         Mix({0.7f, 0.8f, 1.0f, 1}, {1.0f, 0.9f, 0.75f, 1}, warm)});
    }
    for (int i = 0; i < 45; ++i) {
        float warm = rnd.Next();
        stars.push_back({rnd.Next(), rnd.Next(), rnd.Range(1.2f, 2.0f), rnd.Range(0.8f, 1.3f),
                         rnd.Next(), 2 + static_cast<int>(rnd.Next() * 3), 1,
                         Mix({0.75f, 0.9f, 1.0f, 1}, {1.0f, 0.85f, 0.7f, 1}, warm)});
    }
}

void SpaceScene::RenderFloat(float phase, std::vector<float>& rgb) const {
    rgb.assign(static_cast<size_t>(width) * height * 3, 0.0f);
    const float turn = 2 * kPi * phase;
    // The two cloud layers slide against each other, one and two frame heights per loop.
    const float offA = -phase * height, offB = phase * 2 * height;
    const float hueShift = 0.12f * std::sin(turn);
    // Colour and brightness as functions of tint and density, looked up per pixel.
    constexpr int kSteps = 512;
    static const auto tables = [] {
        const Color violet{0.32f, 0.10f, 0.52f, 1}, teal{0.04f, 0.30f, 0.48f, 1};
        const Color rose{0.55f, 0.16f, 0.36f, 1};
        std::vector<Color> hue(kSteps), body(kSteps);
        for (int i = 0; i < kSteps; ++i) {
            float t = -0.2f + 1.4f * i / (kSteps - 1);  // tint range, with the shift
            Color c = Mix(violet, teal, SmoothStep(0.35f, 0.65f, t));
            hue[i] = Mix(c, rose, SmoothStep(0.6f, 0.8f, t) * 0.6f);
            float density = SmoothStep(0.42f, 0.82f, static_cast<float>(i) / (kSteps - 1));
            // r: brightness, g: how far toward the hot core colour.
            body[i] = {0.48f * density * density + 0.07f * density,
                       SmoothStep(0.75f, 1.0f, density) * 0.5f, 0, 0};
        }
        return std::make_pair(hue, body);
    }();
    const Color core{0.85f, 0.75f, 1.0f, 1};
    auto rowOf = [&](float y, int& y0, int& y1, float& t) {
        float fy = std::floor(y);
        y0 = noise::Wrap(static_cast<int>(fy), height);
        y1 = noise::Wrap(y0 + 1, height);
        t = y - fy;
    };
    for (int y = 0; y < height; ++y) {
        int a0, a1, b0, b1;
        float ta, tb;
        rowOf(y + offA, a0, a1, ta);
        rowOf(y + offB, b0, b1, tb);
        const float* ca0 = &cloudA[static_cast<size_t>(a0) * width];
        const float* ca1 = &cloudA[static_cast<size_t>(a1) * width];
        const float* cb0 = &cloudB[static_cast<size_t>(b0) * width];
        const float* cb1 = &cloudB[static_cast<size_t>(b1) * width];
        const float* t0 = &tint[static_cast<size_t>(a0) * width];
        const float* t1 = &tint[static_cast<size_t>(a1) * width];
        float* p = &rgb[static_cast<size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x, p += 3) {
            float a = ca0[x] + (ca1[x] - ca0[x]) * ta;
            float b = cb0[x] + (cb1[x] - cb0[x]) * tb;
            float t = t0[x] + (t1[x] - t0[x]) * ta + hueShift;
            int di =
                std::clamp(static_cast<int>((0.65f * a + 0.35f * b) * (kSteps - 1)), 0, kSteps - 1);
            int hi = std::clamp(static_cast<int>((t + 0.2f) / 1.4f * (kSteps - 1)), 0, kSteps - 1);
            const Color& body = tables.second[di];
            Color c = Mix(tables.first[hi], core, body.g);
            p[0] = c.r * body.r + 0.006f;
            p[1] = c.g * body.r + 0.008f;
            p[2] = c.b * body.r + 0.018f;
        }
    }
    // Star sizes are in screen pixels; a frame pixel is sx by sy of those.
    const float sx = kScreenWidth / width, sy = kScreenHeight / height;
    for (const Star& s : stars) {
        float cx = s.u * width;
        float cy = (s.v + s.scroll * phase - std::floor(s.v + s.scroll * phase)) * height;
        float twinkle = 0.75f + 0.25f * std::sin(2 * kPi * (s.twinkles * phase + s.twinklePhase));
        float amp = s.brightness * twinkle;
        int rx = static_cast<int>(std::ceil(3 * s.size / sx)) + 1;
        int ry = static_cast<int>(std::ceil(3 * s.size / sy)) + 1;
        bool glints = s.size > 1.5f;
        for (int dy = -ry; dy <= ry; ++dy) {
            int py = static_cast<int>(std::floor(cy)) + dy;
            float ey = (py + 0.5f - cy) * sy;
            int wy = noise::Wrap(py, height);
            for (int dx = -rx; dx <= rx; ++dx) {
                int px = static_cast<int>(std::floor(cx)) + dx;
                if (px < 0 || px >= width) continue;
                float ex = (px + 0.5f - cx) * sx;
                float r2 = (ex * ex + ey * ey) / (s.size * s.size);
                float light = amp * std::exp(-1.6f * r2);
                if (glints) {
                    float cross = std::exp(-std::fabs(ex) * 1.4f) * std::exp(-ey * ey * 0.05f) +
                                  std::exp(-std::fabs(ey) * 1.4f) * std::exp(-ex * ex * 0.05f);
                    light += 0.18f * amp * cross;
                }
                float* p = &rgb[(static_cast<size_t>(wy) * width + px) * 3];
                p[0] += s.tint.r * light;
                p[1] += s.tint.g * light;
                p[2] += s.tint.b * light;
            }
        }
    }
}

void SpaceScene::Render(float phase, std::vector<uint8_t>& rgb) const {
    std::vector<float> f;
    RenderFloat(phase, f);
    rgb.resize(f.size());
    for (size_t i = 0; i < f.size(); ++i) {
        rgb[i] = static_cast<uint8_t>(std::clamp(f[i], 0.0f, 1.0f) * 255 + 0.5f);
    }
}

Image SpaceScene::RenderImage(float phase) const {
    std::vector<float> f;
    RenderFloat(phase, f);
    Image img(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float* p = &f[(static_cast<size_t>(y) * width + x) * 3];
            img.At(x, y) = {p[0], p[1], p[2], 1};
        }
    }
    return img;
}

}  // namespace mkmedia
