#pragma once
// Draws with the real OpenGL back end on an offscreen surface and reads the
// 640 x 480 back buffer.
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "graphics/GraphicsDevice.h"
#include "graphics/platform/GlBackend.h"

struct Rgb {
    int r, g, b;
};

class GlFixture : public ::testing::Test {
protected:
    void SetUp() override;
    RenderBackend* Device() { return device->GetDevice(); }
    GraphicsDevice& Graphics() { return *device; }
    // Clears to the colour and sets the full-screen viewport, as a game frame starts.
    void BeginFrame(uint32_t clearColor);
    // Pixel (x, y) of the back buffer, read once per frame.
    Rgb At(int x, int y);
    void Snapshot();

    GlBackend* gl = nullptr;
    std::unique_ptr<GraphicsDevice> device;
    std::vector<uint32_t> pixels;
};

// Channels within ±2 of the expected value.
::testing::AssertionResult Near(Rgb actual, Rgb expected, int tolerance = 2);
