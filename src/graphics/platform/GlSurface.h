#pragma once
// Where an OpenGL context comes from and where presented frames go: a window,
// or nowhere at all for offscreen rendering.
#include <memory>
#include <string>

#include "graphics/RenderTypes.h"

struct SDL_Window;

class GlSurface {
public:
    virtual ~GlSurface() = default;
    // Puts the window into the mode asked for (full screen or a client area at the top-left).
    virtual bool ApplyMode(const PresentParameters& params) = 0;
    virtual void Swap() = 0;
    // Size of the visible drawable; 0 x 0 when nothing is shown.
    virtual void DrawableSize(int& width, int& height) const = 0;
    // Refresh rate of the display when presents wait for it, else 0.
    virtual int RefreshRate() const = 0;
};

// A GL 3.3 core context on the game window; null (with the reason) when none can be made.
std::unique_ptr<GlSurface> CreateWindowSurface(SDL_Window* window, std::string& error);
// A GL 3.3 core context with no window (EGL surfaceless, Mesa's software rasteriser).
std::unique_ptr<GlSurface> CreateOffscreenSurface(std::string& error);
