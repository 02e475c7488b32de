#pragma once
#include <memory>
#include <vector>

#include <epoxy/gl.h>

#include "graphics/PictureFit.h"
#include "graphics/RenderBackend.h"
#include "graphics/platform/GlBatcher.h"
#include "graphics/platform/GlPresenter.h"
#include "graphics/platform/GlProgramCache.h"
#include "graphics/platform/GlStateCache.h"
#include "graphics/platform/GlSurface.h"

// The C library's heap as the software rasteriser needs it to draw frame after
// frame without faulting memory in again. It holds for the whole process, so
// the program's entry point decides to set it; once, before the first frame.
void KeepFreedHeapBetweenFrames();

// The rendering device on OpenGL 3.3 core. Draws into an offscreen back buffer
// (colour + 16-bit depth) that Present places onto the surface as its fit says.
class GlBackend : public RenderBackend {
public:
    explicit GlBackend(std::unique_ptr<GlSurface> surface);
    ~GlBackend() override;

    bool CreateDevice(const PresentParameters& params) override;
    bool Reset(const PresentParameters& params) override;
    int BackBufferWidth() const override { return presenter.Width(); }
    int BackBufferHeight() const override { return presenter.Height(); }
    int DisplayRefreshRate() const override { return presenter.RefreshRate(); }

    void Clear(uint32_t argb) override;
    bool BeginScene() override;
    void EndScene() override;
    void Compose() override;
    bool Present() override;
    std::vector<uint32_t> ReadBackBuffer() override;

    std::unique_ptr<GpuTexture> CreateTexture(int width, int height, const uint32_t* argb) override;
    std::unique_ptr<GpuTexture> CreateDynamicTexture(int width, int height,
                                                     TextureFormat wanted) override;
    std::unique_ptr<GpuMesh> CreateMesh(std::span<const MeshVertex> vertices,
                                        std::span<const uint32_t> indices) override;
    void DrawIndexed(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount) override;
    void DrawSubsets(const GpuMesh& mesh, std::span<const SubsetDraw> subsets) override;
    void DrawQuad(const QuadVertex (&vertices)[4]) override;

    void SetPictureFit(PictureFit f) { presenter.SetFit(f); }
    // Puts the last presented frame on the surface again (a window uncovered
    // while the game cannot draw); false when nothing is shown.
    bool ShowLastFrame() { return presenter.ShowLastFrame(); }

    // Draw calls issued to GL since creation (quads sharing state go in one call,
    // and consecutive draws of one mesh with all its ranges).
    long GlDrawCalls() const { return counters.drawCalls; }
    // GL calls that set pipeline state, uniforms or bindings since creation.
    long GlStateChanges() const { return counters.stateChanges; }
    // Waits until the rasteriser has finished everything drawn so far.
    void Finish() { glFinish(); }

private:
    bool CreateBackBuffer(int w, int h);
    std::unique_ptr<GpuTexture> MakeTexture(int w, int h, TextureFormat format,
                                            const uint32_t* argb);

    // Declared first, so the context outlives every GL object below.
    std::unique_ptr<GlSurface> surface;
    GlCounters counters;
    GlStateCache pipeline{counters};
    GlProgramCache programs{counters};
    GlBatcher batcher{pipeline, programs, counters};
    GlPresenter presenter;
};
