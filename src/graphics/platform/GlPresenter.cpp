#include "graphics/platform/GlPresenter.h"

#include <cstdio>
#include <cstring>

namespace {
// Presents this close together cannot have waited for a display refresh.
constexpr int kPaceSamples = 30;
}  // namespace

void SetClearColour(uint32_t argb) {
    glClearColor(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f,
                 (argb & 0xFF) / 255.0f, ((argb >> 24) & 0xFF) / 255.0f);
}

GlPresenter::GlPresenter(GlSurface& surface, const GlCounters& counters)
    : surface(surface), counters(counters) {}

void GlPresenter::ChooseRowOrder() {
    // Windows keep their top row first. A back buffer laid out the same way, in
    // the same blue, green, red, alpha order, reaches a window of its size as a
    // straight copy, which the software rasteriser makes without running a
    // shader over every pixel. GL then places clip space upside down, and keeps
    // which side of a polygon faces the viewer and which pixels its edges take.
    rows.topFirst = epoxy_gl_version() >= 45 || epoxy_has_gl_extension("GL_ARB_clip_control");
    if (rows.topFirst) glClipControl(GL_UPPER_LEFT, GL_NEGATIVE_ONE_TO_ONE);
}

GlPresenter::~GlPresenter() {
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &colorBuffer);
    glDeleteRenderbuffers(1, &depthBuffer);
}

bool GlPresenter::CreateBackBuffer(int w, int h) {
    if (w <= 0 || h <= 0) return false;
    if (!framebuffer) {
        glGenFramebuffers(1, &framebuffer);
        glGenTextures(1, &colorBuffer);
        glGenRenderbuffers(1, &depthBuffer);
    }
    glBindTexture(GL_TEXTURE_2D, colorBuffer);
    // Unsized, so the driver lays it out as the rows come: blue, green, red, alpha.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, w, h);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorBuffer, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fprintf(stderr, "velmora: the back buffer cannot be made\n");
        return false;
    }
    width = w;
    rows.height = h;
    return true;
}

void GlPresenter::Bind() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
}

void GlPresenter::NoteClear(const Viewport& v, uint32_t argb) {
    bool whole = v.x <= 0 && v.y <= 0 && v.x + v.width >= width && v.y + v.height >= rows.height;
    wholeClear = whole ? std::optional<uint32_t>(argb) : std::nullopt;
    drawsAtClear = counters.drawCalls;
}

void GlPresenter::Compose() {
    // A frame of one colour reaches the window as a clear, not a copy (and the
    // first picture of all without building the copy's shader).
    bool oneColour = wholeClear && drawsAtClear == counters.drawCalls;
    placed = oneColour ? PlaceClear() : PlaceLastFrame();
    composed = true;
}

void GlPresenter::Present() {
    if (!composed) Compose();
    composed = false;
    if (placed) {
        surface.Swap();
        NotePresent();
    } else {
        glFlush();
    }
}

bool GlPresenter::ShowLastFrame() {
    if (!PlaceLastFrame()) return false;
    surface.Swap();
    return true;
}

bool GlPresenter::PlaceClear() {
    int dw = 0, dh = 0;
    surface.DrawableSize(dw, dh);
    if (dw <= 0 || dh <= 0) return false;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // In the frame's colour: the bars of a repaint may have changed GL's since.
    SetClearColour(*wholeClear);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return true;
}

bool GlPresenter::PlaceLastFrame() {
    int dw = 0, dh = 0;
    surface.DrawableSize(dw, dh);
    if (dw <= 0 || dh <= 0 || !framebuffer) return false;
    const int height = rows.height;
    PictureRect r = FitPicture(fit, dw, dh, width, height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    if (r != PictureRect{0, 0, dw, dh}) {
        glClearColor(0, 0, 0, 1);  // the bars around the picture
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // Whole multiples stay sharp; any other scale is smoothed.
    bool wholeMultiple = r.width % width == 0 && r.height % height == 0;
    int bottom = dh - r.y - r.height;  // GL counts the window's rows from the bottom
    int top = rows.topFirst ? 0 : height;
    glBlitFramebuffer(0, height - top, width, top, r.x, bottom, r.x + r.width, bottom + r.height,
                      GL_COLOR_BUFFER_BIT, wholeMultiple ? GL_NEAREST : GL_LINEAR);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return true;
}

std::vector<uint32_t> GlPresenter::Read() {
    const int height = rows.height;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
    if (rows.topFirst) return pixels;
    std::vector<uint32_t> topDown(pixels.size());
    for (int y = 0; y < height; ++y) {
        std::memcpy(&topDown[static_cast<size_t>(y) * width],
                    &pixels[static_cast<size_t>(height - 1 - y) * width], width * sizeof(uint32_t));
    }
    return topDown;
}

int GlPresenter::RefreshRate() const {
    return unpaced ? 0 : surface.RefreshRate();
}

void GlPresenter::ForgetPacing() {
    unpaced = false;
    presentTimes.clear();
}

void GlPresenter::NotePresent() {
    // Some drivers accept a swap interval and then do not wait; pace by the clock there.
    int hz = surface.RefreshRate();
    if (unpaced || hz <= 0) return;
    auto now = std::chrono::steady_clock::now();
    presentTimes.push_back(now);
    if (presentTimes.size() <= kPaceSamples) return;
    double span = std::chrono::duration<double>(now - presentTimes.front()).count();
    presentTimes.pop_front();
    if (span / kPaceSamples < 0.5 / hz) unpaced = true;
}
