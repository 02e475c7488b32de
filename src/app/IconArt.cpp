#include "app/IconArt.h"

#include <algorithm>
#include <cmath>

namespace {

// The art is laid out on a 32-unit square.
constexpr float kGrid = 32.0f;
constexpr int kSamples = 4;  // per pixel and axis
constexpr uint32_t kDisc = 0xFF101830, kHull = 0xFFE8F0FF, kEngine = 0xFF40C0FF;

// The ship: an arrow pointing up, its nose widening down into swept wings.
bool InShip(float x, float y) {
    float cx = std::abs(x - kGrid / 2);
    if (y < 5 || y >= 27) return false;
    if (y < 20) return cx <= (y - 5) / 3 + 0.5f;
    float w = y - 20;
    return cx <= 5.5f + w && cx >= w - 0.5f;
}

uint32_t ColourAt(float x, float y) {
    if (InShip(x, y)) return y >= 23 ? kEngine : kHull;
    float dx = x - kGrid / 2, dy = y - kGrid / 2;
    return dx * dx + dy * dy < 15.5f * 15.5f ? kDisc : 0;
}

}  // namespace

std::vector<uint32_t> DrawIcon(int size) {
    std::vector<uint32_t> pixels(static_cast<size_t>(std::max(size, 0)) * std::max(size, 0));
    const float unit = kGrid / static_cast<float>(size * kSamples);
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            // Premultiplied sums of the samples, so edges blend with no dark fringe.
            float a = 0, r = 0, g = 0, b = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    uint32_t c = ColourAt((px * kSamples + sx + 0.5f) * unit,
                                          (py * kSamples + sy + 0.5f) * unit);
                    float alpha = static_cast<float>(c >> 24) / 255.0f;
                    a += alpha;
                    r += alpha * static_cast<float>((c >> 16) & 0xFF);
                    g += alpha * static_cast<float>((c >> 8) & 0xFF);
                    b += alpha * static_cast<float>(c & 0xFF);
                }
            }
            if (a == 0) continue;
            auto channel = [a](float sum) {
                return static_cast<uint32_t>(std::lround(std::min(sum / a, 255.0f)));
            };
            uint32_t alpha = static_cast<uint32_t>(std::lround(a * 255.0f / (kSamples * kSamples)));
            pixels[static_cast<size_t>(py) * size + px] =
                alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
        }
    }
    return pixels;
}
