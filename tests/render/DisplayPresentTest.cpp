// What reaches a real window when a frame is presented: the picture the right
// way up, where the picture fit puts it, black bars beside it.
#include <SDL.h>
#include <gtest/gtest.h>

#include "GlFixture.h"
#include "graphics/GraphicsDevice.h"
#include "graphics/Quad.h"
#include "graphics/platform/GlBackend.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "support/MustHave.h"

namespace {

// The window's surface, but a present stays in its back buffer to be looked at
// unless swaps are let through (the buffers take a new window size at a swap).
class UnswappedSurface : public GlSurface {
public:
    explicit UnswappedSurface(std::unique_ptr<GlSurface> window) : window(std::move(window)) {}
    bool ApplyMode(const PresentParameters& params) override { return window->ApplyMode(params); }
    void Swap() override {
        if (swaps) window->Swap();
    }
    void DrawableSize(int& width, int& height) const override {
        window->DrawableSize(width, height);
    }
    int RefreshRate() const override { return window->RefreshRate(); }

    bool swaps = false;

private:
    std::unique_ptr<GlSurface> window;
};

class DisplayPresent : public ::testing::Test {
protected:
    void SetUp() override {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            VELMORA_MISSING("no display: " << SDL_GetError());
        }
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        window = SDL_CreateWindow("present", 0, 0, 640, 480, SDL_WINDOW_OPENGL);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        std::string error;
        auto surface = CreateWindowSurface(window, error);
        ASSERT_NE(surface, nullptr) << error;
        auto unswapped = std::make_unique<UnswappedSurface>(std::move(surface));
        shown = unswapped.get();
        auto backend = std::make_unique<GlBackend>(std::move(unswapped));
        gl = backend.get();
        gl->SetPictureFit(PictureFit::Aspect);
        device = std::make_unique<GraphicsDevice>(std::move(backend),
                                                  std::make_unique<SdlImageDecoder>(), 640, 480);
        ASSERT_TRUE(device->ResetOrCreate());
    }
    void TearDown() override {
        device.reset();
        if (window) SDL_DestroyWindow(window);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    // A frame red in its top-left quarter, blue in its bottom-right one, grey
    // elsewhere; composed first when asked, as the loop does on the steps' beat.
    void PresentQuarters(bool composeFirst = false) {
        RenderBackend* d = device->GetDevice();
        d->SetViewport(Viewport{0, 0, 640, 480});
        device->Clear(0xFF808080);
        device->BeginScene();
        d->SetRenderState(RenderState::ZEnable, 0);
        FillRect(d, 0, 0, 320, 240, 0xFFFF0000);
        FillRect(d, 320, 240, 320, 240, 0xFF0000FF);
        device->EndScene();
        if (composeFirst) {
            device->Compose();
            // Drawn after the frame was composed: not part of what is shown.
            device->Clear(0xFF00FF00);
        }
        device->Present();
        gl->Finish();
    }
    // The window's pixel (x, y) as the last present left it, counted from its top-left corner.
    Rgb Shown(int x, int y) {
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(window, &w, &h);
        uint32_t p = 0;
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glReadPixels(x, h - 1 - y, 1, 1, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, &p);
        return Rgb{static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF),
                   static_cast<int>(p & 0xFF)};
    }

    SDL_Window* window = nullptr;
    UnswappedSurface* shown = nullptr;
    GlBackend* gl = nullptr;
    std::unique_ptr<GraphicsDevice> device;
};

}  // namespace

TEST_F(DisplayPresent, ThePictureReachesTheWindowTheRightWayUp) {
    PresentQuarters();
    EXPECT_TRUE(Near(Shown(0, 0), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(Shown(319, 239), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(Shown(320, 0), {128, 128, 128}, 0));
    EXPECT_TRUE(Near(Shown(0, 240), {128, 128, 128}, 0));
    EXPECT_TRUE(Near(Shown(320, 240), {0, 0, 255}, 0));
    EXPECT_TRUE(Near(Shown(639, 479), {0, 0, 255}, 0));
}

TEST_F(DisplayPresent, AComposedFrameIsShownAsItWasWhenComposed) {
    PresentQuarters(true);
    EXPECT_TRUE(Near(Shown(0, 0), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(Shown(320, 0), {128, 128, 128}, 0));
    EXPECT_TRUE(Near(Shown(639, 479), {0, 0, 255}, 0));
    // The next frame not composed is placed by its present, green as it was drawn.
    device->Clear(0xFF00FF00);
    device->Present();
    gl->Finish();
    EXPECT_TRUE(Near(Shown(320, 0), {0, 255, 0}, 0));
}

TEST_F(DisplayPresent, AWiderWindowShowsThePictureBetweenBlackBars) {
    SDL_SetWindowSize(window, 1280, 480);
    int w = 0, h = 0;
    for (int i = 0; i < 50 && w != 1280; ++i) {
        SDL_PumpEvents();
        SDL_GL_GetDrawableSize(window, &w, &h);
        SDL_Delay(10);
    }
    if (w != 1280 || h != 480) GTEST_SKIP() << "the window did not take the size";
    shown->swaps = true;
    PresentQuarters();
    shown->swaps = false;
    PresentQuarters();
    EXPECT_TRUE(Near(Shown(319, 240), {0, 0, 0}, 0));
    EXPECT_TRUE(Near(Shown(320, 0), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(Shown(639, 239), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(Shown(959, 479), {0, 0, 255}, 0));
    EXPECT_TRUE(Near(Shown(960, 240), {0, 0, 0}, 0));
    // Shown again, as when the window is uncovered while the game cannot draw.
    ASSERT_TRUE(gl->ShowLastFrame());
    gl->Finish();
    EXPECT_TRUE(Near(Shown(320, 0), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(Shown(959, 479), {0, 0, 255}, 0));
}
