#include "graphics/platform/GlBackend.h"

#include <malloc.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include <glm/gtc/type_ptr.hpp>

#include "graphics/platform/GlShaders.h"

namespace {

constexpr int kMaxBatchedQuads = 4096;
constexpr int kMaxInstances = 1024;
// One colour a texel, three a material; GL promises at least 65,536 texels.
constexpr int kMaxMaterialTexels = 1 << 16;
// Presents this close together cannot have waited for a display refresh.
constexpr int kPaceSamples = 30;

class GlTexture : public GpuTexture {
public:
    GlTexture(GLuint name, int w, int h, TextureFormat format, std::function<void()> beforeUpload)
        : GpuTexture(w, h, format), name(name), beforeUpload(std::move(beforeUpload)) {
        static uint64_t made = 0;
        serial = ++made;
    }
    ~GlTexture() override { glDeleteTextures(1, &name); }
    // Every texture here holds 32-bit texels.
    void Upload(const void* pixels, int pitchBytes) override {
        if (pitchBytes % 4 != 0 || pitchBytes / 4 < Width()) return;
        beforeUpload();
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, pitchBytes / 4);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, Width(), Height(), GL_BGRA,
                        GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    }
    GLuint name;
    // Unlike GL's names, never reused: tells whether this texture is the one bound.
    uint64_t serial;

private:
    std::function<void()> beforeUpload;
};

// A few frames of instances and quads: the whole ring is resident once it has come round.
constexpr size_t kStreamBytes = 1 << 20;

// Mesa's software rasteriser bins each frame's triangles into 64 KiB blocks
// while the draws come in and frees them once the frame is drawn. By default the
// C library hands that freed top of the heap back to the kernel every frame and
// takes page faults to grow it again during the next one: in play that was a
// third of the game's CPU. Keeping up to this much freed memory costs no more
// resident memory than the busiest frame already needed.
void KeepFreedHeapForTheNextFrame() {
    static const bool done = mallopt(M_TRIM_THRESHOLD, 256 << 20) != 0;
    (void)done;
}

// An attribute read from the bound array buffer.
void SetClearColour(uint32_t argb) {
    glClearColor(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f,
                 (argb & 0xFF) / 255.0f, ((argb >> 24) & 0xFF) / 255.0f);
}

void Attribute(GLuint location, GLint size, GLsizei stride, size_t offset, GLenum type = GL_FLOAT,
               GLboolean normalized = GL_FALSE) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, size, type, normalized, stride,
                          reinterpret_cast<void*>(offset));
}

// Per-draw attributes from the stream buffer at base, read once per instance.
// The GL calls BindInstanceAttributes makes: the buffer, then three for each of
// the seven float attributes and three for the material's.
constexpr long kInstanceAttributeCalls = 1 + 7 * 3 + 3;

void BindInstanceAttributes(GLuint streamBuffer, size_t base) {
    using Instance = GlBackend::Instance;
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    auto attribute = [base](GLuint location, GLint size, size_t offset) {
        Attribute(location, size, sizeof(Instance), base + offset);
        glVertexAttribDivisor(location, 1);
    };
    for (GLuint c = 0; c < 4; ++c) {
        attribute(4 + c, 4, offsetof(Instance, world) + c * sizeof(glm::vec4));
    }
    for (GLuint c = 0; c < 3; ++c) {
        attribute(8 + c, 3, offsetof(Instance, normalMatrix) + c * sizeof(glm::vec3));
    }
    glEnableVertexAttribArray(11);
    glVertexAttribIPointer(11, 2, GL_INT, sizeof(Instance),
                           reinterpret_cast<void*>(base + offsetof(Instance, material)));
    glVertexAttribDivisor(11, 1);
}

class GlMesh : public GpuMesh {
public:
    explicit GlMesh(uint32_t subsets) : subsets(subsets) {
        glGenVertexArrays(1, &array);
        glGenBuffers(1, &vertices);
        glGenBuffers(1, &indices);
    }
    ~GlMesh() override {
        glDeleteBuffers(1, &indices);
        glDeleteBuffers(1, &vertices);
        glDeleteVertexArrays(1, &array);
    }
    GLuint array = 0, vertices = 0, indices = 0;
    uint32_t subsets;  // one more than the highest subset of its vertices
};

GLenum BlendFactor(uint32_t v) {
    switch (v) {
        case kBlendZero:
            return GL_ZERO;
        case kBlendOne:
            return GL_ONE;
        case kBlendSrcAlpha:
            return GL_SRC_ALPHA;
        case kBlendInvSrcAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        default:
            return GL_ONE;
    }
}

GLuint Compile(GLenum type, const std::string& defines, const char* body) {
    GLuint shader = glCreateShader(type);
    const char* sources[] = {defines.c_str(), body};
    glShaderSource(shader, 2, sources, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048];
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "velmora: shader does not compile: %s\n", log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

glm::vec4 Rgba(const ColorValue& c) {
    return {c.r, c.g, c.b, c.a};
}

glm::vec3 ArgbToRgb(uint32_t argb) {
    return glm::vec3((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF) / 255.0f;
}

// Clip-space depth 0..1 as the classic pipeline has it, moved to GL's -1..1.
const glm::mat4 kDepthToGl = [] {
    glm::mat4 m(1.0f);
    m[2][2] = 2.0f;
    m[3][2] = -1.0f;
    return m;
}();

}  // namespace

// Uniform locations and the values last sent, so unchanged values are not sent again.
struct GlBackend::Uniforms {
    template <typename T>
    struct Slot {
        GLint location = -1;
        T value{};
        bool sent = false;
    };
    Slot<int> alphaRef;
    Slot<glm::vec4> viewport, lightDiffuse, lightAmbient;
    Slot<glm::vec3> globalAmbient, toLight;
    Slot<glm::mat4> viewProj;
    long sends = 0;

    void Locate(GLuint program) {
        auto at = [program](const char* name) { return glGetUniformLocation(program, name); };
        alphaRef.location = at("uAlphaRef");
        viewport.location = at("uViewport");
        lightDiffuse.location = at("uLightDiffuse");
        lightAmbient.location = at("uLightAmbient");
        globalAmbient.location = at("uGlobalAmbient");
        toLight.location = at("uToLight");
        viewProj.location = at("uViewProj");
    }

    template <typename T, typename Send>
    void Set(Slot<T>& slot, const T& value, Send send) {
        if (slot.sent && slot.value == value) return;
        slot.value = value;
        slot.sent = true;
        send(slot.location, value);
        ++sends;
    }
    void Set(Slot<int>& s, int v) {
        Set(s, v, [](GLint l, int x) { glUniform1i(l, x); });
    }
    void Set(Slot<glm::vec3>& s, const glm::vec3& v) {
        Set(s, v, [](GLint l, const glm::vec3& x) { glUniform3fv(l, 1, glm::value_ptr(x)); });
    }
    void Set(Slot<glm::vec4>& s, const glm::vec4& v) {
        Set(s, v, [](GLint l, const glm::vec4& x) { glUniform4fv(l, 1, glm::value_ptr(x)); });
    }
    void Set(Slot<glm::mat4>& s, const glm::mat4& v) {
        Set(s, v, [](GLint l, const glm::mat4& x) {
            glUniformMatrix4fv(l, 1, GL_FALSE, glm::value_ptr(x));
        });
    }
};

// A program and what it is built for: the switches of GlShaders.h, in their order.
struct GlBackend::Program {
    static constexpr const char* kSwitches[] = {
        "SCREEN_SPACE", "LIGHTING",   "LIGHT_ENABLED", "HAS_TEXTURE", "ALPHA_TEST", "ALPHA_FUNC",
        "COLOR_OP",     "COLOR_ARG1", "COLOR_ARG2",    "ALPHA_OP",    "ALPHA_ARG1", "ALPHA_ARG2"};
    using Key = std::array<int, std::size(kSwitches)>;

    // Only what changes the picture tells two programs apart.
    static Key KeyOf(const FixedFunctionState& s, bool screenSpace) {
        bool lighting = !screenSpace && s.Get(RenderState::Lighting);
        bool alphaTest = s.Get(RenderState::AlphaTestEnable);
        auto stage = [&s](TextureStageState t) { return static_cast<int>(s.Get(t)); };
        return {screenSpace,
                lighting,
                lighting && s.lightEnabled[0] && s.lights[0].type == LightType::Directional,
                s.texture != nullptr,
                alphaTest,
                alphaTest ? static_cast<int>(s.Get(RenderState::AlphaFunc)) : 0,
                stage(TextureStageState::ColorOp),
                stage(TextureStageState::ColorArg1),
                stage(TextureStageState::ColorArg2),
                stage(TextureStageState::AlphaOp),
                stage(TextureStageState::AlphaArg1),
                stage(TextureStageState::AlphaArg2)};
    }

    explicit Program(const Key& key) : key(key) {
        std::string defines = glsl::kVersion;
        for (size_t i = 0; i < key.size(); ++i)
            defines += "#define " + std::string(kSwitches[i]) + " " + std::to_string(key[i]) + "\n";
        GLuint vs = Compile(GL_VERTEX_SHADER, defines, glsl::kVertexShader);
        GLuint fs = Compile(GL_FRAGMENT_SHADER, defines, glsl::kFragmentShader);
        if (!vs || !fs) {
            glDeleteShader(vs);
            glDeleteShader(fs);
            return;
        }
        name = glCreateProgram();
        glAttachShader(name, vs);
        glAttachShader(name, fs);
        glLinkProgram(name);
        glDeleteShader(vs);
        glDeleteShader(fs);
        GLint ok = 0;
        glGetProgramiv(name, GL_LINK_STATUS, &ok);
        if (!ok) {
            std::fprintf(stderr, "velmora: shaders do not link\n");
            glDeleteProgram(name);
            name = 0;
            return;
        }
        glUseProgram(name);
        glUniform1i(glGetUniformLocation(name, "uTexture"), 0);
        glUniform1i(glGetUniformLocation(name, "uMaterials"), 1);
        uniforms.Locate(name);
    }
    ~Program() { glDeleteProgram(name); }

    Key key;
    GLuint name = 0;
    Uniforms uniforms;
};

// The fixed-function state as GL last got it, so a draw sends only what changed.
struct GlBackend::Applied {
    bool valid = false;
    bool blend = false, depthTest = false, depthMask = false;
    GLenum src = 0, dst = 0, cull = 0;
    Viewport viewport;
};

GlBackend::GlBackend(std::unique_ptr<GlSurface> surface)
    : surface(std::move(surface)), applied(std::make_unique<Applied>()) {}

GlBackend::~GlBackend() {
    glDeleteTextures(1, &materialTexture);
    glDeleteBuffers(1, &materialStream.name);
    glDeleteBuffers(1, &streamBuffer.name);
    glDeleteBuffers(1, &quadIndexBuffer);
    glDeleteVertexArrays(1, &quadArray);
    programs.clear();
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &colorBuffer);
    glDeleteRenderbuffers(1, &depthBuffer);
}

bool GlBackend::CreateDevice(const PresentParameters& params) {
    if (epoxy_gl_version() < 33) {
        std::fprintf(stderr, "velmora: OpenGL 3.3 is needed, this driver offers %d.%d\n",
                     epoxy_gl_version() / 10, epoxy_gl_version() % 10);
        return false;
    }
    hasResetStatus = epoxy_has_gl_extension("GL_ARB_robustness") || epoxy_gl_version() >= 45;
    KeepFreedHeapForTheNextFrame();
    if (!CreateProgram() || !CreateBackBuffer(params.width, params.height)) return false;

    hasBaseInstance = epoxy_gl_version() >= 42 || epoxy_has_gl_extension("GL_ARB_base_instance");
    streamBuffer = MakeStream(kStreamBytes);
    pendingInstances.reserve(kMaxInstances);
    // The materials of the queued draws, read by the vertex shader as texels.
    GLint maxTexels = 0;
    glGetIntegerv(GL_MAX_TEXTURE_BUFFER_SIZE, &maxTexels);
    materialTexels = std::min(maxTexels, kMaxMaterialTexels);
    materialStream = MakeStream(static_cast<size_t>(materialTexels) * sizeof(glm::vec4));
    pendingMaterials.reserve(materialTexels);
    glGenTextures(1, &materialTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_BUFFER, materialTexture);
    glTexBuffer(GL_TEXTURE_BUFFER, GL_RGBA32F, materialStream.name);
    glActiveTexture(GL_TEXTURE0);

    glGenVertexArrays(1, &quadArray);
    glGenBuffers(1, &quadIndexBuffer);
    glBindVertexArray(quadArray);
    // Quads are drawn from wherever they were streamed by their base vertex.
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer.name);
    Attribute(0, 3, sizeof(QuadVertex), offsetof(QuadVertex, x));
    Attribute(2, 2, sizeof(QuadVertex), offsetof(QuadVertex, u));
    Attribute(3, GL_BGRA, sizeof(QuadVertex), offsetof(QuadVertex, color), GL_UNSIGNED_BYTE,
              GL_TRUE);
    std::vector<uint32_t> quadIndices;
    quadIndices.reserve(kMaxBatchedQuads * 6);
    for (uint32_t q = 0; q < kMaxBatchedQuads; ++q) {
        for (uint32_t i : {0u, 1u, 2u, 2u, 1u, 3u})
            quadIndices.push_back(4 * q + i);
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quadIndexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, quadIndices.size() * sizeof(uint32_t), quadIndices.data(),
                 GL_STATIC_DRAW);
    glBindVertexArray(0);
    pendingQuads.reserve(kMaxBatchedQuads * 4);
    return Reset(params);
}

bool GlBackend::Reset(const PresentParameters& params) {
    Flush();
    if (!surface->ApplyMode(params)) return false;
    if ((params.width != width || params.height != height) &&
        !CreateBackBuffer(params.width, params.height)) {
        return false;
    }
    unpaced = false;
    presentTimes.clear();
    return true;
}

CooperativeLevel GlBackend::TestCooperativeLevel() {
    if (hasResetStatus && glGetGraphicsResetStatus() != GL_NO_ERROR) return CooperativeLevel::Lost;
    return CooperativeLevel::Ok;
}

int GlBackend::DisplayRefreshRate() const {
    return unpaced ? 0 : surface->RefreshRate();
}

bool GlBackend::CreateBackBuffer(int w, int h) {
    if (w <= 0 || h <= 0) return false;
    if (!framebuffer) {
        glGenFramebuffers(1, &framebuffer);
        glGenTextures(1, &colorBuffer);
        glGenRenderbuffers(1, &depthBuffer);
    }
    glBindTexture(GL_TEXTURE_2D, colorBuffer);
    boundTexture = 0;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, w, h);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorBuffer, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        std::fprintf(stderr, "velmora: the back buffer cannot be made\n");
        return false;
    }
    width = w;
    height = h;
    state.viewport = Viewport{0, 0, w, h, 0.0f, 1.0f};
    return true;
}

bool GlBackend::CreateProgram() {
    // The first draws' program: a driver that cannot build it makes no device.
    if (!UseProgram(Program::KeyOf(state, false))) return false;
    // Attributes a draw does not feed read these.
    glVertexAttrib3f(1, 0.0f, 0.0f, 0.0f);
    glVertexAttrib4f(3, 1.0f, 1.0f, 1.0f, 1.0f);
    return true;
}

void GlBackend::Clear(uint32_t argb) {
    Flush();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const Viewport& v = state.viewport;
    glEnable(GL_SCISSOR_TEST);
    glScissor(v.x, height - v.y - v.height, v.width, v.height);
    SetClearColour(argb);
    glClearDepth(1.0);
    glDepthMask(GL_TRUE);
    applied->depthMask = true;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    bool whole = v.x <= 0 && v.y <= 0 && v.x + v.width >= width && v.y + v.height >= height;
    wholeClear = whole ? std::optional<uint32_t>(argb) : std::nullopt;
    drawsAtClear = glDrawCalls;
}

bool GlBackend::BeginScene() {
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return true;
}

void GlBackend::EndScene() {
    Flush();
}

bool GlBackend::Present() {
    Flush();
    // A frame of one colour reaches the window as a clear, not a copy (and the
    // first picture of all without building the copy's shader).
    bool oneColour = wholeClear && drawsAtClear == glDrawCalls;
    if (oneColour ? ShowClear() : ShowLastFrame()) {
        NotePresent();
    } else {
        glFlush();
    }
    return true;
}

bool GlBackend::ShowClear() {
    int dw = 0, dh = 0;
    surface->DrawableSize(dw, dh);
    if (dw <= 0 || dh <= 0) return false;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    // In the frame's colour: the bars of a repaint may have changed GL's since.
    SetClearColour(*wholeClear);
    glClear(GL_COLOR_BUFFER_BIT);
    surface->Swap();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return true;
}

bool GlBackend::ShowLastFrame() {
    int dw = 0, dh = 0;
    surface->DrawableSize(dw, dh);
    if (dw <= 0 || dh <= 0 || !framebuffer) return false;
    PictureRect r = FitPicture(fit, dw, dh, width, height);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    if (r != PictureRect{0, 0, dw, dh}) {
        glClearColor(0, 0, 0, 1);  // the bars around the picture
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // Whole multiples stay sharp; any other scale is smoothed.
    bool wholeMultiple = r.width % width == 0 && r.height % height == 0;
    int bottom = dh - r.y - r.height;  // GL counts rows from the bottom
    glBlitFramebuffer(0, 0, width, height, r.x, bottom, r.x + r.width, bottom + r.height,
                      GL_COLOR_BUFFER_BIT, wholeMultiple ? GL_NEAREST : GL_LINEAR);
    surface->Swap();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return true;
}

void GlBackend::NotePresent() {
    // Some drivers accept a swap interval and then do not wait; pace by the clock there.
    int hz = surface->RefreshRate();
    if (unpaced || hz <= 0) return;
    auto now = std::chrono::steady_clock::now();
    presentTimes.push_back(now);
    if (presentTimes.size() <= kPaceSamples) return;
    double span = std::chrono::duration<double>(now - presentTimes.front()).count();
    presentTimes.pop_front();
    if (span / kPaceSamples < 0.5 / hz) unpaced = true;
}

std::vector<uint32_t> GlBackend::ReadBackBuffer() {
    Flush();
    std::vector<uint32_t> rows(static_cast<size_t>(width) * height);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, rows.data());
    std::vector<uint32_t> topDown(rows.size());
    for (int y = 0; y < height; ++y) {
        std::memcpy(&topDown[static_cast<size_t>(y) * width],
                    &rows[static_cast<size_t>(height - 1 - y) * width], width * sizeof(uint32_t));
    }
    return topDown;
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
    Flush();
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
    boundTexture = 0;
    return std::make_unique<GlTexture>(name, w, h, format, [this] {
        Flush();
        boundTexture = 0;  // the upload binds its own
    });
}

std::unique_ptr<GpuMesh> GlBackend::CreateMesh(std::span<const MeshVertex> vertices,
                                               std::span<const uint32_t> indices) {
    Flush();
    uint32_t subsets = 1;
    for (const MeshVertex& v : vertices)
        subsets = std::max(subsets, v.subset + 1);
    auto mesh = std::make_unique<GlMesh>(subsets);
    glBindVertexArray(mesh->array);
    glBindBuffer(GL_ARRAY_BUFFER, mesh->vertices);
    glBufferData(GL_ARRAY_BUFFER, vertices.size_bytes(), vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh->indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size_bytes(), indices.data(), GL_STATIC_DRAW);
    Attribute(0, 3, sizeof(MeshVertex), offsetof(MeshVertex, position));
    Attribute(1, 3, sizeof(MeshVertex), offsetof(MeshVertex, normal));
    Attribute(2, 2, sizeof(MeshVertex), offsetof(MeshVertex, uv));
    glEnableVertexAttribArray(12);
    glVertexAttribIPointer(12, 1, GL_UNSIGNED_INT, sizeof(MeshVertex),
                           reinterpret_cast<void*>(offsetof(MeshVertex, subset)));
    BindInstanceAttributes(streamBuffer.name, 0);
    glBindVertexArray(0);
    boundArray = 0;
    return mesh;
}

void GlBackend::ApplyPipelineState() {
    const FixedFunctionState& s = state;
    Applied& a = *applied;
    auto changed = [&a](auto& field, auto value) {
        if (a.valid && field == value) return false;
        field = value;
        return true;
    };
    bool blend = s.Get(RenderState::AlphaBlendEnable) != 0;
    if (changed(a.blend, blend)) {
        blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
        Count(1);
    }
    if (blend) {
        GLenum src = BlendFactor(s.Get(RenderState::SrcBlend));
        GLenum dst = BlendFactor(s.Get(RenderState::DestBlend));
        // Both are remembered, whichever changed.
        const bool srcChanged = changed(a.src, src);
        const bool dstChanged = changed(a.dst, dst);
        if (srcChanged || dstChanged) {
            glBlendFunc(src, dst);
            Count(1);
        }
    }
    // The picture on screen has GL's orientation, so "counter-clockwise as seen" is GL's CCW.
    GLenum cull = s.Get(RenderState::CullMode) == kCullCCW  ? GL_CCW
                  : s.Get(RenderState::CullMode) == kCullCW ? GL_CW
                                                            : GL_NONE;
    if (changed(a.cull, cull)) {
        if (cull == GL_NONE) {
            glDisable(GL_CULL_FACE);
        } else {
            glEnable(GL_CULL_FACE);
            glCullFace(GL_FRONT);
            glFrontFace(cull);
        }
        Count(cull == GL_NONE ? 1 : 3);
    }
    bool depthTest = s.Get(RenderState::ZEnable) != 0;
    if (changed(a.depthTest, depthTest)) {
        if (depthTest) {
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(GL_LEQUAL);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
        Count(depthTest ? 2 : 1);
    }
    bool depthMask = s.Get(RenderState::ZWriteEnable) != 0;
    if (changed(a.depthMask, depthMask)) {
        glDepthMask(depthMask ? GL_TRUE : GL_FALSE);
        Count(1);
    }
    const Viewport& v = s.viewport;
    if (!a.valid || std::memcmp(&a.viewport, &v, sizeof v) != 0) {
        a.viewport = v;
        glViewport(v.x, height - v.y - v.height, v.width, v.height);
        glDepthRange(v.minZ, v.maxZ);
        Count(2);
    }
    a.valid = true;
}

GlBackend::Program* GlBackend::UseProgram(const Program::Key& key) {
    if (current && current->key == key) return current;
    auto found = std::find_if(programs.begin(), programs.end(),
                              [&key](const auto& p) { return p->key == key; });
    // A program that would not build is kept too, so that it is not built, and
    // its log printed, again at every draw.
    if (found == programs.end()) {
        found = programs.insert(programs.end(), std::make_unique<Program>(key));
    } else if ((*found)->name) {
        glUseProgram((*found)->name);
    }
    if (!(*found)->name) return nullptr;
    Count(1);
    current = found->get();
    return current;
}

bool GlBackend::ApplyUniforms(bool screenSpace) {
    const FixedFunctionState& s = state;
    Program* program = UseProgram(Program::KeyOf(s, screenSpace));
    if (!program) return false;
    Uniforms& u = program->uniforms;
    const Viewport& v = s.viewport;
    u.Set(u.viewport, glm::vec4(v.x, v.y, v.width, v.height));
    if (!screenSpace) {
        u.Set(u.viewProj,
              kDepthToGl * s.Get(TransformKind::Projection) * s.Get(TransformKind::View));
        u.Set(u.globalAmbient, ArgbToRgb(s.Get(RenderState::Ambient)));
        const Light& light = s.lights[0];
        u.Set(u.toLight, -light.direction);
        u.Set(u.lightDiffuse, Rgba(light.diffuse));
        u.Set(u.lightAmbient, Rgba(light.ambient));
    }
    u.Set(u.alphaRef, static_cast<int>(s.Get(RenderState::AlphaRef) & 0xFF));
    const auto* texture = static_cast<const GlTexture*>(s.texture);
    if (texture && texture->serial != boundTexture) {
        glBindTexture(GL_TEXTURE_2D, texture->name);
        boundTexture = texture->serial;
        Count(1);
    }
    Count(u.sends);
    u.sends = 0;
    return true;
}

namespace {
// The state a screen quad's look depends on (transforms, material and light do not apply).
bool SameQuadState(const FixedFunctionState& a, const FixedFunctionState& b) {
    return a.texture == b.texture &&
           std::memcmp(a.renderStates, b.renderStates, sizeof a.renderStates) == 0 &&
           std::memcmp(a.stageStates, b.stageStates, sizeof a.stageStates) == 0 &&
           std::memcmp(&a.viewport, &b.viewport, sizeof a.viewport) == 0;
}

// Model draws may differ in their world transform and material only.
bool SameModelState(const FixedFunctionState& a, const FixedFunctionState& b) {
    return SameQuadState(a, b) && a.Get(TransformKind::View) == b.Get(TransformKind::View) &&
           a.Get(TransformKind::Projection) == b.Get(TransformKind::Projection) &&
           a.lightEnabled[0] == b.lightEnabled[0] &&
           std::memcmp(&a.lights[0], &b.lights[0], sizeof a.lights[0]) == 0;
}
}  // namespace

void GlBackend::JoinInstances(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount,
                              size_t materials) {
    bool joins = pending == Pending::Instances && pendingMesh == &mesh &&
                 pendingFirst == firstIndex && pendingCount == indexCount &&
                 pendingInstances.size() < kMaxInstances &&
                 pendingMaterials.size() + materials <= static_cast<size_t>(materialTexels) &&
                 SameModelState(pendingState, state);
    if (!joins) {
        Flush();
        pending = Pending::Instances;
        pendingState = state;
        pendingMesh = &mesh;
        pendingFirst = firstIndex;
        pendingCount = indexCount;
    }
}

void GlBackend::QueueInstance(int materialStep) {
    const glm::mat4& world = state.Get(TransformKind::World);
    pendingInstances.push_back(Instance{world, glm::transpose(glm::inverse(glm::mat3(world))),
                                        glm::ivec2(pendingMaterials.size(), materialStep)});
}

void GlBackend::QueueMaterial(const Material& m) {
    pendingMaterials.push_back(Rgba(m.diffuse));
    pendingMaterials.push_back(Rgba(m.ambient));
    pendingMaterials.push_back(Rgba(m.emissive));
}

void GlBackend::DrawIndexed(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount) {
    if (indexCount == 0) return;
    JoinInstances(mesh, firstIndex, indexCount, 3);
    QueueInstance(0);  // every vertex takes the one material
    QueueMaterial(state.material);
}

void GlBackend::DrawSubsets(const GpuMesh& mesh, std::span<const SubsetDraw> subsets) {
    // The ranges lie one after the other in the index buffer: as one draw, each
    // vertex finds its range's material, and the triangles keep their order.
    const auto& glMesh = static_cast<const GlMesh&>(mesh);
    bool asOne = !subsets.empty() && glMesh.subsets <= subsets.size() &&
                 3 * subsets.size() <= static_cast<size_t>(materialTexels);
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
    JoinInstances(mesh, first, count, 3 * subsets.size());
    QueueInstance(3);
    for (const SubsetDraw& subset : subsets)
        QueueMaterial(subset.material);
}

void GlBackend::DrawQuad(const QuadVertex (&vertices)[4]) {
    bool joins = pending == Pending::Quads && pendingQuads.size() < kMaxBatchedQuads * 4 &&
                 SameQuadState(pendingState, state);
    if (!joins) {
        Flush();
        pending = Pending::Quads;
        pendingState = state;
    }
    pendingQuads.insert(pendingQuads.end(), std::begin(vertices), std::end(vertices));
}

GlBackend::Stream GlBackend::MakeStream(size_t bytes) {
    Stream stream{0, bytes, 0};
    glGenBuffers(1, &stream.name);
    glBindBuffer(GL_ARRAY_BUFFER, stream.name);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STREAM_DRAW);
    return stream;
}

size_t GlBackend::Write(Stream& stream, const void* data, size_t bytes, size_t unit) {
    // Each batch gets storage no queued draw reads, so the driver never waits; it
    // starts at a whole number of units, so a draw finds it by its first element.
    glBindBuffer(GL_ARRAY_BUFFER, stream.name);
    size_t at = (stream.offset + unit - 1) / unit * unit;
    if (at + bytes > stream.size) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(stream.size), nullptr,
                     GL_STREAM_DRAW);
        at = 0;
    }
    void* target =
        glMapBufferRange(GL_ARRAY_BUFFER, static_cast<GLintptr>(at), static_cast<GLsizeiptr>(bytes),
                         GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
    bool written = false;
    if (target) {
        std::memcpy(target, data, bytes);
        written = glUnmapBuffer(GL_ARRAY_BUFFER) == GL_TRUE;
    }
    // A driver that cannot map (or lost the mapped data) still takes a plain copy.
    if (!written) {
        glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(at), static_cast<GLsizeiptr>(bytes),
                        data);
    }
    stream.offset = at + bytes;
    return at;
}

void GlBackend::BindArray(GLuint array) {
    if (array == boundArray) return;
    glBindVertexArray(array);
    boundArray = array;
    Count(1);
}

void GlBackend::Flush() {
    if (pending == Pending::None) return;
    FixedFunctionState drawing = state;
    state = pendingState;
    ApplyPipelineState();
    bool ready = ApplyUniforms(pending == Pending::Quads);
    state = drawing;
    if (!ready) {
        pendingQuads.clear();
        pendingInstances.clear();
        pendingMaterials.clear();
        pending = Pending::None;
        return;
    }
    if (pending == Pending::Quads) {
        size_t at = Write(streamBuffer, pendingQuads.data(),
                          pendingQuads.size() * sizeof(QuadVertex), sizeof(QuadVertex));
        BindArray(quadArray);
        glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(pendingQuads.size() / 4 * 6),
                                 GL_UNSIGNED_INT, nullptr,
                                 static_cast<GLint>(at / sizeof(QuadVertex)));
        pendingQuads.clear();
    } else {
        size_t texel = Write(materialStream, pendingMaterials.data(),
                             pendingMaterials.size() * sizeof(glm::vec4), sizeof(glm::vec4)) /
                       sizeof(glm::vec4);
        for (Instance& instance : pendingInstances)
            instance.material.x += static_cast<int>(texel);
        size_t at = Write(streamBuffer, pendingInstances.data(),
                          pendingInstances.size() * sizeof(Instance), sizeof(Instance));
        const auto& mesh = static_cast<const GlMesh&>(*pendingMesh);
        BindArray(mesh.array);
        auto* indices =
            reinterpret_cast<void*>(static_cast<uintptr_t>(pendingFirst) * sizeof(uint32_t));
        auto count = static_cast<GLsizei>(pendingCount);
        auto instances = static_cast<GLsizei>(pendingInstances.size());
        if (hasBaseInstance) {
            glDrawElementsInstancedBaseInstance(GL_TRIANGLES, count, GL_UNSIGNED_INT, indices,
                                                instances,
                                                static_cast<GLuint>(at / sizeof(Instance)));
        } else {
            BindInstanceAttributes(streamBuffer.name, at);
            Count(kInstanceAttributeCalls);
            glDrawElementsInstanced(GL_TRIANGLES, count, GL_UNSIGNED_INT, indices, instances);
        }
        pendingInstances.clear();
        pendingMaterials.clear();
    }
    ++glDrawCalls;
    pending = Pending::None;
}
