#pragma once
// The back buffer the game draws into, and how a finished frame reaches the
// window: placed as the picture fit says, or as a plain clear when the frame
// is one colour; and whether the window's presents wait for the display.
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include <epoxy/gl.h>

#include "graphics/PictureFit.h"
#include "graphics/RenderTypes.h"
#include "graphics/platform/GlStateCache.h"
#include "graphics/platform/GlSurface.h"

class GlPresenter {
public:
    GlPresenter(GlSurface& surface, const GlCounters& counters);
    ~GlPresenter();

    // Keeps the back buffer's top row first where GL can draw it so; once, before drawing.
    void ChooseRowOrder();
    // Makes the back buffer, or gives it a new size; false when GL cannot.
    bool CreateBackBuffer(int width, int height);
    int Width() const { return width; }
    int Height() const { return rows.height; }
    const BackBufferRows& Rows() const { return rows; }
    // Draws and clears go to the back buffer from here on.
    void Bind();
    void SetFit(PictureFit f) { fit = f; }

    // A clear of the viewport to the colour has just been made.
    void NoteClear(const Viewport& v, uint32_t argb);
    // Places the frame on the surface's back buffer, to be shown by Present.
    void Compose();
    // Shows the frame, composing it first when it was not.
    void Present();
    // Puts the last presented frame on the surface again; false when nothing is shown.
    bool ShowLastFrame();
    // The back buffer as ARGB pixels, top row first.
    std::vector<uint32_t> Read();

    // The display's refresh rate while presents wait for it, else 0.
    int RefreshRate() const;
    // A new mode: whether presents wait is found out again.
    void ForgetPacing();

private:
    // Clears the window to the frame's one colour; false when there is no window to clear.
    bool PlaceClear();
    // Places the back buffer on the window as the fit says; false when there is nothing to place.
    bool PlaceLastFrame();
    void NotePresent();

    GlSurface& surface;
    const GlCounters& counters;
    int width = 0;
    BackBufferRows rows;
    PictureFit fit = PictureFit::Stretch;
    GLuint framebuffer = 0, colorBuffer = 0, depthBuffer = 0;
    // The colour of the last clear of the whole back buffer, and the draws made by then.
    std::optional<uint32_t> wholeClear;
    long drawsAtClear = 0;
    bool unpaced = false;
    // Whether Compose has placed this frame, and whether there was anything to place.
    bool composed = false, placed = false;
    std::deque<std::chrono::steady_clock::time_point> presentTimes;
};

// GL's clear colour from an ARGB value.
void SetClearColour(uint32_t argb);
