#pragma once
// Hash-based randomness and noise. Everything here is a pure function of its
// arguments, so the asset pack comes out the same on every run and machine.
#include <cmath>
#include <cstdint>

namespace mkmedia {

namespace noise {

inline uint32_t Hash(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

inline uint32_t Hash(uint32_t a, uint32_t b, uint32_t seed = 0) {
    return Hash(a ^ Hash(b ^ Hash(seed + 0x9e3779b9U)));
}

// Uniform in [0, 1).
inline float Unit(uint32_t h) {
    return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}

// A small sequential generator for scattering things.
class Random {
public:
    explicit Random(uint32_t seed) : state(seed) {}
    float Next() { return Unit(Hash(state++ * 0x9e3779b9U + 0x632be5abU)); }
    float Range(float lo, float hi) { return lo + (hi - lo) * Next(); }

private:
    uint32_t state;
};

inline float Smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

inline int Wrap(int v, int period) {
    int m = v % period;
    return m < 0 ? m + period : m;
}

// Value noise on an integer lattice that repeats every periodX x periodY cells.
inline float Tiled(float x, float y, int periodX, int periodY, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = Smooth(x - fx), ty = Smooth(y - fy);
    auto at = [&](int cx, int cy) {
        return Unit(Hash(static_cast<uint32_t>(Wrap(cx, periodX)),
                         static_cast<uint32_t>(Wrap(cy, periodY)), seed));
    };
    float a = at(ix, iy), b = at(ix + 1, iy), c = at(ix, iy + 1), d = at(ix + 1, iy + 1);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

// Fractal sum of tiled octaves, each twice as fine; about 0..1.
inline float TiledFbm(float x, float y, int periodX, int periodY, int octaves, uint32_t seed) {
    float sum = 0, amp = 0.5f, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * Tiled(x, y, periodX, periodY, seed + static_cast<uint32_t>(i) * 101U);
        norm += amp;
        amp *= 0.5f;
        x *= 2;
        y *= 2;
        periodX *= 2;
        periodY *= 2;
    }
    return sum / norm;
}

}  // namespace noise

}  // namespace mkmedia
