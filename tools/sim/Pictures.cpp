#include "Pictures.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>

#include "game/GameApp.h"
#include "graphics/platform/GlBackend.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "video/platform/FfmpegVideoPlayer.h"

namespace {
// Messages of a video that cannot be played go to stderr, as lines.
struct PrintedVideoErrors : VideoErrors {
    void Show(const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", kCaption, text.c_str());
    }
};
PrintedVideoErrors videoErrors;
}  // namespace

HeadlessPlatform::Options WithPictures() {
    HeadlessPlatform::Options options;
    options.makeBackend = []() -> std::unique_ptr<RenderBackend> {
        std::string error;
        auto surface = CreateOffscreenSurface(error);
        if (!surface) {
            std::fprintf(stderr, "velmora-sim: no offscreen OpenGL: %s\n", error.c_str());
            return std::make_unique<NullBackend>(60);
        }
        return std::make_unique<GlBackend>(std::move(surface));
    };
    options.makeImageDecoder = [] { return std::make_unique<SdlImageDecoder>(); };
    options.makeVideoPlayer = [](GraphicsDevice& device, const std::string& path, bool sound) {
        auto player = std::make_unique<FfmpegVideoPlayer>(videoErrors);
        player->Build(device, path, sound);
        return player;
    };
    return options;
}

bool SaveFrame(GameApp& app, const std::string& file) {
    GraphicsDevice& device = app.GetGraphicsDevice();
    app.RestoreDeviceObjects();
    device.BeginScene();
    app.Render();
    device.EndScene();
    RenderBackend* backend = device.GetDevice();
    if (!backend) return false;
    std::vector<uint32_t> pixels = backend->ReadBackBuffer();
    int w = device.GetWidth(), h = device.GetHeight();
    if (pixels.size() != static_cast<size_t>(w) * h) return false;
    for (uint32_t& p : pixels)
        p |= 0xFF000000u;  // the window shows no alpha
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), w, h, 32, w * 4,
                                                        SDL_PIXELFORMAT_ARGB8888);
    bool saved = s && IMG_SavePNG(s, file.c_str()) == 0;
    SDL_FreeSurface(s);
    return saved;
}
