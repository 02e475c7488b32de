#include "graphics/platform/GlBackend.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>

#include "graphics/platform/GlResources.h"

// Mesa's software rasteriser bins each frame's triangles into 64 KiB blocks
// while the draws come in and frees them once the frame is drawn. By default the
// C library hands that freed top of the heap back to the kernel every frame and
// takes page faults to grow it again during the next one: in play that was a
// third of the game's CPU. Keeping up to this much freed memory costs no more
// resident memory than the busiest frame already needed.
void KeepFreedHeapBetweenFrames() {
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
}

GlBackend::GlBackend(std::unique_ptr<GlSurface> surface)
    : surface(std::move(surface)), presenter(*this->surface, counters) {}

GlBackend::~GlBackend() = default;

bool GlBackend::CreateDevice(const PresentParameters& params) {
    if (epoxy_gl_version() < 33) {
        std::fprintf(stderr, "velmora: OpenGL 3.3 is needed, this driver offers %d.%d\n",
                     epoxy_gl_version() / 10, epoxy_gl_version() % 10);
        return false;
    }
    presenter.ChooseRowOrder();
    // A driver that cannot build the shaders makes no device.
    if (!programs.CanBuild(state)) return false;
    // Attributes a draw does not feed read these.
    glVertexAttrib3f(kNormalLocation, 0.0f, 0.0f, 0.0f);
    glVertexAttrib4f(kColorLocation, 1.0f, 1.0f, 1.0f, 1.0f);
    if (!CreateBackBuffer(params.width, params.height)) return false;
    batcher.Create();
    return Reset(params);
}

bool GlBackend::Reset(const PresentParameters& params) {
    batcher.Flush();
    if (!surface->ApplyMode(params)) return false;
    if ((params.width != presenter.Width() || params.height != presenter.Height()) &&
        !CreateBackBuffer(params.width, params.height)) {
        return false;
    }
    presenter.ForgetPacing();
    return true;
}

bool GlBackend::CreateBackBuffer(int w, int h) {
    pipeline.ForgetTexture();  // the colour buffer is bound while it is made
    if (!presenter.CreateBackBuffer(w, h)) return false;
    pipeline.SetTarget(presenter.Rows());
    state.viewport = Viewport{0, 0, w, h, 0.0f, 1.0f};
    return true;
}

void GlBackend::Clear(uint32_t argb) {
    batcher.Flush();
    presenter.Bind();
    const Viewport& v = state.viewport;
    glEnable(GL_SCISSOR_TEST);
    glScissor(v.x, presenter.Rows().GlRow(v.y, v.height), v.width, v.height);
    SetClearColour(argb);
    glClearDepth(1.0);
    glDepthMask(GL_TRUE);
    pipeline.DepthMaskSetTo(true);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    presenter.NoteClear(v, argb);
}

bool GlBackend::BeginScene() {
    presenter.Bind();
    return true;
}

void GlBackend::EndScene() {
    batcher.Flush();
}

void GlBackend::Compose() {
    batcher.Flush();
    presenter.Compose();
    Finish();
}

bool GlBackend::Present() {
    batcher.Flush();
    presenter.Present();
    programs.FrameShown();
    return true;
}

std::vector<uint32_t> GlBackend::ReadBackBuffer() {
    batcher.Flush();
    return presenter.Read();
}

std::unique_ptr<GpuTexture> GlBackend::CreateTexture(int w, int h, const uint32_t* argb) {
    return MakeTexture(w, h, TextureFormat::A8R8G8B8, argb);
}

std::unique_ptr<GpuTexture> GlBackend::CreateDynamicTexture(int w, int h, TextureFormat) {
    // Always 32 bits; without an alpha channel every texel samples opaque.
    return MakeTexture(w, h, TextureFormat::X8R8G8B8, nullptr);
}

std::unique_ptr<GpuTexture> GlBackend::MakeTexture(int w, int h, TextureFormat format,
                                                   const uint32_t* argb) {
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (w <= 0 || h <= 0 || w > maxSize || h > maxSize) return nullptr;
    batcher.Flush();
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    // Stored as the rows come, so an upload is a copy; without an alpha channel
    // every texel samples opaque whatever its fourth byte holds.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb);
    if (format == TextureFormat::X8R8G8B8)
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    // Point sampling without mipmaps, wrapping: the classic default sampler.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    pipeline.ForgetTexture();
    return std::make_unique<GlTexture>(name, w, h, format, [this] {
        batcher.Flush();
        pipeline.ForgetTexture();  // the upload binds its own
    });
}

std::unique_ptr<GpuMesh> GlBackend::CreateMesh(std::span<const MeshVertex> vertices,
                                               std::span<const uint32_t> indices) {
    batcher.Flush();
    uint32_t subsets = 1;
    for (const MeshVertex& v : vertices)
        subsets = std::max(subsets, v.subset + 1);
    auto mesh = std::make_unique<GlMesh>(subsets);
    glBindVertexArray(mesh->array);
    glBindBuffer(GL_ARRAY_BUFFER, mesh->vertices);
    glBufferData(GL_ARRAY_BUFFER, vertices.size_bytes(), vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh->indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size_bytes(), indices.data(), GL_STATIC_DRAW);
    batcher.DescribeMeshArray();
    glBindVertexArray(0);
    pipeline.ForgetArray();
    return mesh;
}

void GlBackend::DrawIndexed(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount) {
    if (indexCount == 0) return;
    batcher.QueueModel(state, static_cast<const GlMesh&>(mesh), firstIndex, indexCount, 1);
    batcher.QueueMaterial(state.material);
}

void GlBackend::DrawSubsets(const GpuMesh& mesh, std::span<const SubsetDraw> subsets) {
    // The ranges lie one after the other in the index buffer: as one draw, each
    // vertex finds its range's material, and the triangles keep their order.
    const auto& glMesh = static_cast<const GlMesh&>(mesh);
    bool asOne = !subsets.empty() && glMesh.subsets <= subsets.size() &&
                 subsets.size() <= batcher.MaxMaterials();
    for (size_t i = 1; asOne && i < subsets.size(); ++i) {
        asOne = subsets[i].texture == subsets[0].texture &&
                subsets[i].firstIndex == subsets[i - 1].firstIndex + subsets[i - 1].indexCount;
    }
    if (!asOne) {
        RenderBackend::DrawSubsets(mesh, subsets);
        return;
    }
    SetMaterial(subsets.back().material);
    SetTexture(subsets.back().texture);
    uint32_t first = subsets.front().firstIndex;
    uint32_t count = subsets.back().firstIndex + subsets.back().indexCount - first;
    if (count == 0) return;
    batcher.QueueModel(state, glMesh, first, count, subsets.size());
    for (const SubsetDraw& subset : subsets)
        batcher.QueueMaterial(subset.material);
}

void GlBackend::DrawQuad(const QuadVertex (&vertices)[4]) {
    batcher.QueueQuad(state, vertices);
}
