#pragma once
// The rendering device the game draws through: device life, frame operations,
// resources, fixed-function state and draws. The state setters only record;
// a back end reads the recorded state when it draws.
#include <memory>
#include <span>
#include <vector>

#include "graphics/RenderTypes.h"

// Texel layouts, numbered like the classic fixed-function API.
enum class TextureFormat : uint32_t { A8R8G8B8 = 0x15, X8R8G8B8 = 0x16, A1R5G5B5 = 0x19 };

// Bytes per texel of a format.
int TexelBytes(TextureFormat format);

class GpuTexture {
public:
    GpuTexture(int width, int height, TextureFormat format = TextureFormat::A8R8G8B8)
        : width(width), height(height), format(format) {}
    virtual ~GpuTexture() = default;
    int Width() const { return width; }
    int Height() const { return height; }
    TextureFormat Format() const { return format; }
    // Replaces the pixels: rows in the texture's own format, top row first, each
    // starting pitchBytes after the previous one.
    virtual void Upload(const void* pixels, int pitchBytes) = 0;

private:
    int width, height;
    TextureFormat format;
};

class GpuMesh {
public:
    virtual ~GpuMesh() = default;
};

enum class CooperativeLevel { Ok, Lost };

// One draw range of a mesh with the material and texture it is drawn with.
struct SubsetDraw {
    uint32_t firstIndex = 0, indexCount = 0;
    Material material;
    const GpuTexture* texture = nullptr;
};

struct FixedFunctionState {
    FixedFunctionState();
    uint32_t renderStates[static_cast<int>(RenderState::Count)];
    uint32_t stageStates[static_cast<int>(TextureStageState::Count)];
    glm::mat4 transforms[static_cast<int>(TransformKind::Count)];
    Material material;
    Light lights[kMaxLights];
    bool lightEnabled[kMaxLights] = {};
    const GpuTexture* texture = nullptr;
    Viewport viewport;

    uint32_t Get(RenderState s) const { return renderStates[static_cast<int>(s)]; }
    uint32_t Get(TextureStageState s) const { return stageStates[static_cast<int>(s)]; }
    const glm::mat4& Get(TransformKind k) const { return transforms[static_cast<int>(k)]; }
};

class RenderBackend {
public:
    virtual ~RenderBackend() = default;

    // Device life. CreateDevice runs once; Reset applies a new mode.
    virtual bool CreateDevice(const PresentParameters& params) = 0;
    virtual bool Reset(const PresentParameters& params) = 0;
    // Lost: the device cannot draw until it is made again, and the loop waits.
    // An OpenGL context keeps what it holds through everything that loses a
    // device elsewhere (a mode switch, another program taking the screen), and
    // the game asks for no context that reports a driver's reset: GL is never
    // lost. The null back end can be, so the loop's wait stays tested.
    virtual CooperativeLevel TestCooperativeLevel() { return CooperativeLevel::Ok; }
    virtual int BackBufferWidth() const = 0;
    virtual int BackBufferHeight() const = 0;
    // The display's refresh rate while presents wait for it; 0 when unknown or unpaced.
    virtual int DisplayRefreshRate() const = 0;

    // Frame.
    virtual void Clear(uint32_t argb) = 0;
    virtual bool BeginScene() = 0;
    virtual void EndScene() = 0;
    // Finishes the frame's picture where the window can show it, and waits for
    // it to be drawn, so that Present then only shows it. Present composes a
    // frame that was not.
    virtual void Compose() = 0;
    virtual bool Present() = 0;
    // The back buffer as ARGB pixels, top row first (empty when unsupported).
    virtual std::vector<uint32_t> ReadBackBuffer() = 0;

    // Resources. Pixels are ARGB, top row first.
    virtual std::unique_ptr<GpuTexture> CreateTexture(int width, int height,
                                                      const uint32_t* argb) = 0;
    // A texture whose pixels are replaced while the game runs, of undefined content.
    // It may come in another format than the one asked for: check Format().
    virtual std::unique_ptr<GpuTexture> CreateDynamicTexture(int width, int height,
                                                             TextureFormat wanted) = 0;
    virtual std::unique_ptr<GpuMesh> CreateMesh(std::span<const MeshVertex> vertices,
                                                std::span<const uint32_t> indices) = 0;

    // Draws with the recorded state.
    virtual void DrawIndexed(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount) = 0;
    // Draws a mesh's ranges in their order, each with its material and texture, as
    // SetMaterial, SetTexture and DrawIndexed would one after the other; the last
    // range's material and texture stay set. The ranges are all of the mesh's, the
    // i-th drawing the vertices created with subset i.
    virtual void DrawSubsets(const GpuMesh& mesh, std::span<const SubsetDraw> subsets);
    virtual void DrawQuad(const QuadVertex (&vertices)[4]) = 0;

    // State.
    void SetRenderState(RenderState s, uint32_t value) {
        state.renderStates[static_cast<int>(s)] = value;
    }
    void SetTextureStageState(TextureStageState s, uint32_t value) {
        state.stageStates[static_cast<int>(s)] = value;
    }
    void SetTransform(TransformKind k, const glm::mat4& m) {
        state.transforms[static_cast<int>(k)] = m;
    }
    void SetMaterial(const Material& m) { state.material = m; }
    void SetLight(int index, const Light& light) { state.lights[index] = light; }
    void LightEnable(int index, bool enable) { state.lightEnabled[index] = enable; }
    void SetTexture(const GpuTexture* texture) { state.texture = texture; }
    void SetViewport(const Viewport& v) { state.viewport = v; }
    const FixedFunctionState& State() const { return state; }

protected:
    FixedFunctionState state;
};
