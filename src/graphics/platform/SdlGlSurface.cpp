#include <SDL.h>

#include "graphics/platform/GlSurface.h"

namespace {

class SdlGlSurface : public GlSurface {
public:
    SdlGlSurface(SDL_Window* window, SDL_GLContext context) : window(window), context(context) {
        vsync = SDL_GL_SetSwapInterval(1) == 0;
    }
    ~SdlGlSurface() override { SDL_GL_DeleteContext(context); }

    bool ApplyMode(const PresentParameters& params) override {
        if (params.windowed) {
            if (SDL_SetWindowFullscreen(window, 0) != 0) return false;
            SDL_RestoreWindow(window);  // a maximised window would not take the size
            SDL_SetWindowSize(window, params.width, params.height);
            SDL_SetWindowPosition(window, 0, 0);
            return true;
        }
        // The desktop's own resolution: no mode change, the picture is placed
        // on it by the back end.
        return SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
    }

    void Swap() override { SDL_GL_SwapWindow(window); }

    void DrawableSize(int& width, int& height) const override {
        SDL_GL_GetDrawableSize(window, &width, &height);
    }

    int RefreshRate() const override {
        if (!vsync) return 0;
        SDL_DisplayMode mode;
        int display = SDL_GetWindowDisplayIndex(window);
        if (SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) != 0) return 0;
        return mode.refresh_rate;
    }

private:
    SDL_Window* window;
    SDL_GLContext context;
    bool vsync = false;
};

}  // namespace

std::unique_ptr<GlSurface> CreateWindowSurface(SDL_Window* window, std::string& error) {
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) {
        error = std::string("no OpenGL 3.3 context: ") + SDL_GetError();
        return nullptr;
    }
    return std::make_unique<SdlGlSurface>(window, context);
}
