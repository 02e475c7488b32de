#include "video/FrameConversion.h"

#include <cstddef>
#include <cstring>

namespace {

uint32_t Load(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

void Store(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, 4);
}

}  // namespace

void ConvertToX8R8G8B8(const uint8_t* source, int sourcePitch, int width, int height,
                       uint8_t* destination, int destinationPitch) {
    constexpr uint32_t kOpaque = 0xFF000000;
    const int groups = width / 4;
    for (int y = 0; y < height; ++y) {
        const uint8_t* s = source + static_cast<std::ptrdiff_t>(sourcePitch) * y;
        uint8_t* d = destination + static_cast<std::ptrdiff_t>(destinationPitch) * y;
        // Four pixels are three little-endian words.
        for (int g = 0; g < groups; ++g, s += 12, d += 16) {
            uint32_t s0 = Load(s), s1 = Load(s + 4), s2 = Load(s + 8);
            Store(d, s0 | kOpaque);
            Store(d + 4, (s1 << 8) | kOpaque | (s0 >> 24));
            Store(d + 8, (s2 << 16) | kOpaque | (s1 >> 16));
            Store(d + 12, (s2 >> 8) | kOpaque);
        }
        for (int x = groups * 4; x < width; ++x, s += 3, d += 4) {
            Store(d, kOpaque | (uint32_t{s[2]} << 16) | (uint32_t{s[1]} << 8) | s[0]);
        }
    }
}

void ConvertToA1R5G5B5(const uint8_t* source, int sourcePitch, int width, int height,
                       uint8_t* destination, int destinationPitch) {
    for (int y = 0; y < height; ++y) {
        const uint8_t* s = source + static_cast<std::ptrdiff_t>(sourcePitch) * y;
        uint8_t* d = destination + static_cast<std::ptrdiff_t>(destinationPitch) * y;
        for (int x = 0; x < width; ++x, s += 3, d += 2) {
            auto texel = static_cast<uint16_t>(0x8000 + ((s[2] & 0xF8) << 7) +
                                               ((s[1] & 0xF8) << 2) + (s[0] >> 3));
            std::memcpy(d, &texel, 2);
        }
    }
}
