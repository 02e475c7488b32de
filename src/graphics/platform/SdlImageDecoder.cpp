#include "graphics/platform/SdlImageDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>

#include "util/FileData.h"

namespace {

constexpr size_t kMaxImageBytes = 64 << 20;
// Larger than any texture a GL driver takes; a file claiming more is damaged or hostile.
constexpr uint32_t kMaxSide = 16384;

uint32_t BigEndian32(const std::string& s, size_t at) {
    return uint32_t(uint8_t(s[at])) << 24 | uint32_t(uint8_t(s[at + 1])) << 16 |
           uint32_t(uint8_t(s[at + 2])) << 8 | uint8_t(s[at + 3]);
}

uint32_t LittleEndian(const std::string& s, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | uint8_t(s[at + i]);
    return v;
}

bool HasExtension(const std::string& path, const char* extension) {
    size_t n = std::strlen(extension);
    return path.size() > n && SDL_strcasecmp(path.c_str() + path.size() - n, extension) == 0;
}

// The size a header claims, before a decoder allocates for it.
bool ClaimsTooMuch(const std::string& data, const std::string& path) {
    uint32_t w = 0, h = 0;
    if (data.size() >= 24 && data.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0) {
        w = BigEndian32(data, 16);
        h = BigEndian32(data, 20);
    } else if (data.size() >= 26 && data.compare(0, 2, "BM") == 0) {
        w = LittleEndian(data, 18, 4);
        h = LittleEndian(data, 22, 4);
        if (static_cast<int32_t>(h) < 0) h = static_cast<uint32_t>(-static_cast<int32_t>(h));
    } else if (data.size() >= 18 && HasExtension(path, ".tga")) {
        w = LittleEndian(data, 12, 2);
        h = LittleEndian(data, 14, 2);
    }
    return w > kMaxSide || h > kMaxSide;
}

// Only the formats the game's files come in; every other decoder stays out of reach.
const char* FormatOf(SDL_RWops* rw, const std::string& path) {
    if (IMG_isPNG(rw)) return "PNG";
    if (IMG_isJPG(rw)) return "JPG";
    if (IMG_isBMP(rw)) return "BMP";
    if (IMG_isICO(rw)) return "ICO";
    if (HasExtension(path, ".tga")) return "TGA";  // TGA has no signature
    return nullptr;
}

}  // namespace

SdlImageDecoder::SdlImageDecoder() {
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
}

Image SdlImageDecoder::Decode(const std::string& path) {
    Image image;
    std::string data, why;
    if (!ReadFileLimited(path, kMaxImageBytes, data, why)) {
        std::fprintf(stderr, "velmora: image %s not loaded: %s\n", path.c_str(), why.c_str());
        return image;
    }
    if (ClaimsTooMuch(data, path)) {
        std::fprintf(stderr, "velmora: image %s not loaded: larger than %u pixels a side\n",
                     path.c_str(), kMaxSide);
        return image;
    }
    SDL_RWops* rw = SDL_RWFromConstMem(data.data(), static_cast<int>(data.size()));
    const char* format = rw ? FormatOf(rw, path) : nullptr;
    if (!format) {
        if (rw) SDL_RWclose(rw);
        std::fprintf(stderr, "velmora: image %s not loaded: not a PNG, JPG, BMP, ICO or TGA file\n",
                     path.c_str());
        return image;
    }
    SDL_Surface* loaded = IMG_LoadTyped_RW(rw, 1, format);
    if (!loaded) {
        std::fprintf(stderr, "velmora: image %s not loaded: %s\n", path.c_str(), IMG_GetError());
        return image;
    }
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!argb) return image;
    image.width = argb->w;
    image.height = argb->h;
    image.pixels.resize(static_cast<size_t>(argb->w) * argb->h);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; ++y) {
        std::memcpy(
            &image.pixels[static_cast<size_t>(y) * argb->w],
            static_cast<const uint8_t*>(argb->pixels) + static_cast<size_t>(y) * argb->pitch,
            static_cast<size_t>(argb->w) * 4);
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    return image;
}
