#include "graphics/platform/SdlImageDecoder.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstring>

SdlImageDecoder::SdlImageDecoder() {
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
}

Image SdlImageDecoder::Decode(const std::string& path) {
    Image image;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) return image;
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
