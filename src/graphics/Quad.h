#pragma once
// Screen-space rectangles in back-buffer pixels, (0, 0) at the top-left.
#include <cstdint>

class RenderBackend;

// One rectangle with texture coordinates (u, v)-(u + du, v + dv), in the current state.
void DrawQuad(RenderBackend* device, float x, float y, float width, float height, float u, float v,
              float du, float dv, uint32_t color);
// Texture stage 0 as models and textured quads use it: texture times colour, for
// colour and alpha alike.
void UseTextureModulate(RenderBackend* device);
// A rectangle in a plain colour; leaves texture stage 0 passing the colour through.
void FillRect(RenderBackend* device, float x, float y, float width, float height, uint32_t color);
