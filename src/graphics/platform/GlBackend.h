#pragma once
#include <array>
#include <chrono>
#include <deque>
#include <memory>
#include <optional>
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
    void DrawSubsets(const GpuMesh& mesh, std::span<const SubsetDraw> subsets) override;
    void DrawQuad(const QuadVertex (&vertices)[4]) override;

    void SetPictureFit(PictureFit f) { fit = f; }
    // Puts the last presented frame on the surface again (a window uncovered
    // while the game cannot draw); false when nothing is shown.
    bool ShowLastFrame();

    // Draw calls issued to GL since creation (quads sharing state go in one call,
    // and consecutive draws of one mesh with all its ranges).
    long GlDrawCalls() const { return glDrawCalls; }
    // GL calls that set pipeline state, uniforms or bindings since creation.
    long GlStateChanges() const { return glStateChanges; }
    // Waits until the rasteriser has finished everything drawn so far.
    void Finish() { glFinish(); }

    // One model draw as the shader reads it: its vertices of subset s take the
    // material at texel material.x + s * material.y (diffuse, ambient, emissive).
    struct Instance {
        glm::mat4 world;
        glm::mat3 normalMatrix;
        glm::ivec2 material;
    };

private:
    struct Uniforms;
    struct Program;
    struct Applied;
    enum class Pending { None, Quads, Instances };
    // A buffer written front to back and renewed when full.
    struct Stream {
        GLuint name;
        size_t size, offset;
    };

    bool CreateBackBuffer(int w, int h);
    std::unique_ptr<GpuTexture> MakeTexture(int w, int h, TextureFormat format,
                                            const uint32_t* argb);
    bool CreateProgram();
    void ApplyPipelineState();
    // Uses the program made for the state, building it on first use; null when it cannot be.
    Program* UseProgram(const std::array<int, 12>& key);
    // False when no program can draw with the state.
    bool ApplyUniforms(bool screenSpace);
    void BindArray(GLuint array);
    void Count(long stateChanges) { glStateChanges += stateChanges; }
    // Starts a batch of instances unless this draw joins the pending one.
    void JoinInstances(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount,
                       size_t materials);
    void QueueInstance(int materialStep);
    void QueueMaterial(const Material& m);
    // Sends what consecutive draws with the same state have gathered, in their order.
    void Flush();
    static Stream MakeStream(size_t bytes);
    // Copies data into the stream at a multiple of unit bytes; returns where it went.
    static size_t Write(Stream& stream, const void* data, size_t bytes, size_t unit);
    void NotePresent();
    // Clears the window to the frame's one colour and shows it; false when nothing is shown.
    bool ShowClear();

    std::unique_ptr<GlSurface> surface;
    std::vector<std::unique_ptr<Program>> programs;
    Program* current = nullptr;
    std::unique_ptr<Applied> applied;
    int width = 0, height = 0;
    PictureFit fit = PictureFit::Stretch;
    GLuint framebuffer = 0, colorBuffer = 0, depthBuffer = 0;
    GLuint quadArray = 0, quadIndexBuffer = 0;
    Stream streamBuffer{};    // instances and quad vertices
    Stream materialStream{};  // the instances' materials, read through materialTexture
    GLuint materialTexture = 0;
    int materialTexels = 0;
    bool hasBaseInstance = false;
    GLuint boundArray = 0;
    uint64_t boundTexture = 0;  // the serial of the texture bound to unit 0
    Pending pending = Pending::None;
    FixedFunctionState pendingState;
    std::vector<QuadVertex> pendingQuads;
    std::vector<Instance> pendingInstances;
    std::vector<glm::vec4> pendingMaterials;
    const GpuMesh* pendingMesh = nullptr;
    uint32_t pendingFirst = 0, pendingCount = 0;
    bool hasResetStatus = false;
    bool unpaced = false;
    std::deque<std::chrono::steady_clock::time_point> presentTimes;
    long glDrawCalls = 0;
    // The colour of the last clear of the whole back buffer, and the draws made by then.
    std::optional<uint32_t> wholeClear;
    long drawsAtClear = 0;
    long glStateChanges = 0;
};
