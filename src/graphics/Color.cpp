#include "graphics/Color.h"

namespace {
uint32_t Channel(float c) {
    if (c >= 1.0f) return 255;
    if (c <= 0.0f) return 0;
    return static_cast<uint32_t>(255.0f * c + 0.5f);
}
}  // namespace

uint32_t ToArgb(const ColorValue& c) {
    return Channel(c.a) << 24 | Channel(c.r) << 16 | Channel(c.g) << 8 | Channel(c.b);
}
