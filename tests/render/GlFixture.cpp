#include "GlFixture.h"

#include <cstdlib>

#include "game/RenderSetup.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "support/MustHave.h"

void GlFixture::SetUp() {
    std::string error;
    auto surface = CreateOffscreenSurface(error);
    if (!surface) {
        VELMORA_MISSING("no offscreen OpenGL here: " << error);
    }
    auto backend = std::make_unique<GlBackend>(std::move(surface));
    gl = backend.get();
    device = std::make_unique<GraphicsDevice>(std::move(backend),
                                              std::make_unique<SdlImageDecoder>(), 640, 480);
    ASSERT_TRUE(device->ResetOrCreate());
    ApplyGameRenderState(*device);
}

void GlFixture::BeginFrame(uint32_t clearColor) {
    Device()->SetViewport(Viewport{0, 0, 640, 480, 0.0f, 1.0f});
    device->Clear(clearColor);
    device->BeginScene();
    pixels.clear();
}

void GlFixture::Snapshot() {
    pixels = Device()->ReadBackBuffer();
}

Rgb GlFixture::At(int x, int y) {
    if (pixels.empty()) Snapshot();
    uint32_t p = pixels.at(static_cast<size_t>(y) * 640 + x);
    return Rgb{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
               static_cast<int>(p & 0xFF)};
}

::testing::AssertionResult Near(Rgb a, Rgb e, int tolerance) {
    if (std::abs(a.r - e.r) <= tolerance && std::abs(a.g - e.g) <= tolerance &&
        std::abs(a.b - e.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got (" << a.r << ", " << a.g << ", " << a.b << "), expected (" << e.r << ", " << e.g
           << ", " << e.b << ")";
}
