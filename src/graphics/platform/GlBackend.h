#pragma once
#include <chrono>
#include <deque>
#include <memory>
#include <vector>

#include <epoxy/gl.h>

#include "graphics/PictureFit.h"
#include "graphics/RenderBackend.h"
#include "graphics/platform/GlSurface.h"

// The rendering device on OpenGL 3.3 core. Draws into an offscreen back buffer
// (colour + 16-bit depth) that Present places onto the surface as its fit says.
class GlBackend : public RenderBackend {
public:
    explicit GlBackend(std::unique_ptr<GlSurface> surface);
    ~GlBackend() override;

    bool CreateDevice(const PresentParameters& params) override;
    bool Reset(const PresentParameters& params) override;
    CooperativeLevel TestCooperativeLevel() override;
    int BackBufferWidth() const override { return width; }
    int BackBufferHeight() const override { return height; }
    int DisplayRefreshRate() const override;

    void Clear(uint32_t argb) override;
    bool BeginScene() override;
    void EndScene() override;
    bool Present() override;
    std::vector<uint32_t> ReadBackBuffer() override;

    std::unique_ptr<GpuTexture> CreateTexture(int width, int height, const uint32_t* argb) override;
    std::unique_ptr<GpuTexture> CreateDynamicTexture(int width, int height,
                                                     TextureFormat wanted) override;
    std::unique_ptr<GpuMesh> CreateMesh(std::span<const MeshVertex> vertices,
                                        std::span<const uint32_t> indices) override;
    void DrawIndexed(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount) override;
    void DrawQuad(const QuadVertex (&vertices)[4]) override;

    void SetPictureFit(PictureFit f) { fit = f; }
    // Puts the last presented frame on the surface again (a window uncovered
    // while the game cannot draw); false when nothing is shown.
    bool ShowLastFrame();

    // Draw calls issued to GL since creation (quads sharing state go in one call).
    long GlDrawCalls() const { return glDrawCalls; }
    // Waits until the rasteriser has finished everything drawn so far.
    void Finish() { glFinish(); }

    // One model draw as the shader reads it.
    struct Instance {
        glm::mat4 world;
        glm::mat3 normalMatrix;
        glm::vec4 diffuse, ambient, emissive;
    };

private:
    struct Uniforms;
    enum class Pending { None, Quads, Instances };

    bool CreateBackBuffer(int w, int h);
    std::unique_ptr<GpuTexture> MakeTexture(int w, int h, TextureFormat format,
                                            const uint32_t* argb);
    bool CreateProgram();
    void ApplyPipelineState();
    void ApplyUniforms(bool screenSpace);
    // Sends what consecutive draws with the same state have gathered, in their order.
    void Flush();
    // Copies data into the stream buffer; returns where it went.
    size_t Stream(const void* data, size_t bytes);
    void NotePresent();

    std::unique_ptr<GlSurface> surface;
    std::unique_ptr<Uniforms> uniforms;
    int width = 0, height = 0;
    PictureFit fit = PictureFit::Stretch;
    GLuint framebuffer = 0, colorBuffer = 0, depthBuffer = 0;
    GLuint program = 0;
    GLuint quadArray = 0, quadIndexBuffer = 0;
    GLuint streamBuffer = 0;  // per-draw data, written front to back, renewed when full
    size_t streamOffset = 0;
    Pending pending = Pending::None;
    FixedFunctionState pendingState;
    std::vector<QuadVertex> pendingQuads;
    std::vector<Instance> pendingInstances;
    const GpuMesh* pendingMesh = nullptr;
    uint32_t pendingFirst = 0, pendingCount = 0;
    bool hasResetStatus = false;
    bool unpaced = false;
    std::deque<std::chrono::steady_clock::time_point> presentTimes;
    long glDrawCalls = 0;
};
