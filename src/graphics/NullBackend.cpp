#include "graphics/NullBackend.h"

#include <cstring>

namespace {

class NullMesh : public GpuMesh {};

}  // namespace

void NullTexture::Upload(const void* source, int pitchBytes) {
    const size_t row = static_cast<size_t>(Width()) * TexelBytes(Format());
    pixels.resize(row * Height());
    for (int y = 0; y < Height(); ++y) {
        std::memcpy(pixels.data() + row * y, static_cast<const uint8_t*>(source) + pitchBytes * y,
                    row);
    }
    ++uploads;
}

bool NullBackend::CreateDevice(const PresentParameters& params) {
    width = params.width;
    height = params.height;
    fullScreen = !params.windowed;
    return true;
}

bool NullBackend::Reset(const PresentParameters& params) {
    ++counters.resets;
    return CreateDevice(params);
}

void NullBackend::Clear(uint32_t argb) {
    ++counters.clears;
    lastClear = argb;
}

bool NullBackend::BeginScene() {
    ++counters.scenes;
    return true;
}

bool NullBackend::Present() {
    ++counters.presents;
    return true;
}

std::unique_ptr<GpuTexture> NullBackend::CreateTexture(int w, int h, const uint32_t*) {
    ++counters.textures;
    return std::make_unique<NullTexture>(w, h);
}

std::unique_ptr<GpuTexture> NullBackend::CreateDynamicTexture(int w, int h, TextureFormat) {
    ++counters.textures;
    return std::make_unique<NullTexture>(w, h, dynamicFormat);
}

std::unique_ptr<GpuMesh> NullBackend::CreateMesh(std::span<const MeshVertex>,
                                                 std::span<const uint32_t>) {
    ++counters.meshes;
    return std::make_unique<NullMesh>();
}

void NullBackend::DrawIndexed(const GpuMesh&, uint32_t, uint32_t) {
    ++counters.meshDraws;
}

void NullBackend::DrawQuad(const QuadVertex (&)[4]) {
    ++counters.quadDraws;
}
