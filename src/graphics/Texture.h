#pragma once
#include <memory>
#include <string>

#include "graphics/GraphicsDevice.h"

// One image file as a texture, with the sizes 2D drawing needs. Empty (no
// texture, all sizes 0) when the file is missing or unreadable.
class Texture {
public:
    Texture(GraphicsDevice& device, const std::string& path);

    // The region (u, v)-(u + du, v + dv) stretched over the rectangle, times the colour.
    // Leaves texture stage 0 modulating and this texture bound.
    void Draw(float x, float y, float width, float height, float u, float v, float du, float dv,
              uint32_t color) const;

    const GpuTexture* Get() const { return texture.get(); }
    bool Empty() const { return !texture; }
    int SurfaceWidth() const { return surfaceWidth; }
    int SurfaceHeight() const { return surfaceHeight; }
    int ImageWidth() const { return imageWidth; }
    int ImageHeight() const { return imageHeight; }

private:
    RenderBackend* device;
    std::unique_ptr<GpuTexture> texture;
    int surfaceWidth = 0, surfaceHeight = 0;
    int imageWidth = 0, imageHeight = 0;
};
