#include "app/platform/BuiltinIcon.h"

#include <cmath>
#include <cstdint>

namespace {
constexpr int kSize = 32;

// The ship: a 16-wide arrow pointing up, drawn as rows of (half width) pixels.
bool InShip(int x, int y) {
    int cx = std::abs(2 * x + 1 - kSize) / 2;  // distance from the centre column
    if (y < 5 || y > 26) return false;
    if (y < 20) return cx <= (y - 5) / 3;       // the nose widening down
    return cx <= 5 + (y - 20) && cx >= y - 20;  // the swept wings
}
}  // namespace

SDL_Surface* CreateBuiltinIcon() {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, kSize, kSize, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return nullptr;
    auto* pixels = static_cast<uint32_t*>(s->pixels);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            float dx = x + 0.5f - kSize / 2.0f, dy = y + 0.5f - kSize / 2.0f;
            uint32_t c = 0;
            if (dx * dx + dy * dy < 15.5f * 15.5f) c = 0xFF101830;
            if (InShip(x, y)) c = y > 22 ? 0xFF40C0FF : 0xFFE8F0FF;
            pixels[y * (s->pitch / 4) + x] = c;
        }
    }
    return s;
}
