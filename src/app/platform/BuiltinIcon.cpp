#include "app/platform/BuiltinIcon.h"

#include <cstring>

#include "app/IconArt.h"

namespace {
constexpr int kSize = 32;
}  // namespace

SDL_Surface* CreateBuiltinIcon() {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, kSize, kSize, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return nullptr;
    std::vector<uint32_t> art = DrawIcon(kSize);
    for (int y = 0; y < kSize; ++y) {
        std::memcpy(static_cast<char*>(s->pixels) + y * s->pitch, &art[y * kSize],
                    kSize * sizeof(uint32_t));
    }
    return s;
}
