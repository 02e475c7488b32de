#pragma once
#include <vector>

#include "graphics/RenderBackend.h"

// Keeps what was last uploaded, rows packed, so tests can look at it.
class NullTexture : public GpuTexture {
public:
    using GpuTexture::GpuTexture;
    void Upload(const void* pixels, int pitchBytes) override;
    const std::vector<uint8_t>& Pixels() const { return pixels; }
    int Uploads() const { return uploads; }

private:
    std::vector<uint8_t> pixels;
    int uploads = 0;
};

// Draws nothing and counts what it was asked to do. Answers like a 640 x 480
// window on a 60 Hz display unless told otherwise.
class NullBackend : public RenderBackend {
public:
    struct Counters {
        int clears = 0, scenes = 0, composes = 0, presents = 0, resets = 0;
        int meshDraws = 0, quadDraws = 0, textures = 0, meshes = 0;
    };

    explicit NullBackend(int refreshRate = 60) : refreshRate(refreshRate) {}

    bool CreateDevice(const PresentParameters& params) override;
    bool Reset(const PresentParameters& params) override;
    CooperativeLevel TestCooperativeLevel() override { return cooperativeLevel; }
    int BackBufferWidth() const override { return width; }
    int BackBufferHeight() const override { return height; }
    int DisplayRefreshRate() const override { return refreshRate; }

    void Clear(uint32_t argb) override;
    bool BeginScene() override;
    void EndScene() override {}
    void Compose() override { ++counters.composes; }
    bool Present() override;
    std::vector<uint32_t> ReadBackBuffer() override { return {}; }

    std::unique_ptr<GpuTexture> CreateTexture(int width, int height, const uint32_t* argb) override;
    // Dynamic textures come in the format set by SetDynamicFormat, X8R8G8B8 at first.
    std::unique_ptr<GpuTexture> CreateDynamicTexture(int width, int height,
                                                     TextureFormat wanted) override;
    std::unique_ptr<GpuMesh> CreateMesh(std::span<const MeshVertex> vertices,
                                        std::span<const uint32_t> indices) override;
    void DrawIndexed(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount) override;
    void DrawQuad(const QuadVertex (&vertices)[4]) override;

    const Counters& Count() const { return counters; }
    uint32_t LastClearColor() const { return lastClear; }
    bool IsFullScreen() const { return fullScreen; }
    // For tests of device loss.
    void SetCooperativeLevel(CooperativeLevel level) { cooperativeLevel = level; }
    void SetRefreshRate(int hz) { refreshRate = hz; }
    // For tests of a device that offers other texel layouts.
    void SetDynamicFormat(TextureFormat format) { dynamicFormat = format; }

private:
    int width = 0, height = 0, refreshRate;
    bool fullScreen = false;
    uint32_t lastClear = 0;
    CooperativeLevel cooperativeLevel = CooperativeLevel::Ok;
    TextureFormat dynamicFormat = TextureFormat::X8R8G8B8;
    Counters counters;
};
