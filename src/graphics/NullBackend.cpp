#include "graphics/NullBackend.h"

namespace {

class NullTexture : public GpuTexture {
public:
    using GpuTexture::GpuTexture;
    void Upload(const uint32_t*, int) override {}
};

class NullMesh : public GpuMesh {};

}  // namespace

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
    if (presentFails) return false;
    ++counters.presents;
    return true;
}

std::unique_ptr<GpuTexture> NullBackend::CreateTexture(int w, int h, const uint32_t*) {
    ++counters.textures;
    return std::make_unique<NullTexture>(w, h);
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
