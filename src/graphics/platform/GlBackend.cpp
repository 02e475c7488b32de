#include "graphics/platform/GlBackend.h"

#include <cstdio>
#include <cstring>
#include <functional>

#include <glm/gtc/type_ptr.hpp>

#include "graphics/platform/GlShaders.h"

namespace {

constexpr int kMaxBatchedQuads = 4096;
constexpr int kMaxInstances = 1024;
// Presents this close together cannot have waited for a display refresh.
constexpr int kPaceSamples = 30;

class GlTexture : public GpuTexture {
public:
    GlTexture(GLuint name, int w, int h, TextureFormat format, std::function<void()> beforeUpload)
        : GpuTexture(w, h, format), name(name), beforeUpload(std::move(beforeUpload)) {}
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

private:
    std::function<void()> beforeUpload;
};

constexpr size_t kStreamBytes = 8 << 20;

// An attribute read from the bound array buffer.
void Attribute(GLuint location, GLint size, GLsizei stride, size_t offset, GLenum type = GL_FLOAT,
               GLboolean normalized = GL_FALSE) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, size, type, normalized, stride,
                          reinterpret_cast<void*>(offset));
}

// Per-draw attributes from the stream buffer at base, read once per instance.
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
    attribute(11, 4, offsetof(Instance, diffuse));
    attribute(12, 4, offsetof(Instance, ambient));
    attribute(13, 4, offsetof(Instance, emissive));
}

class GlMesh : public GpuMesh {
public:
    GlMesh() {
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

GLuint Compile(GLenum type, const char* source) {
    GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
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
    Slot<int> screenSpace, lighting, lightEnabled, hasTexture, alphaTest, alphaFunc, alphaRef;
    Slot<glm::vec4> viewport, lightDiffuse, lightAmbient;
    Slot<glm::vec3> globalAmbient, toLight;
    Slot<glm::ivec3> colorStage, alphaStage;
    Slot<glm::mat4> viewProj;

    void Locate(GLuint program) {
        auto at = [program](const char* name) { return glGetUniformLocation(program, name); };
        screenSpace.location = at("uScreenSpace");
        lighting.location = at("uLighting");
        lightEnabled.location = at("uLightEnabled");
        hasTexture.location = at("uHasTexture");
        alphaTest.location = at("uAlphaTest");
        alphaFunc.location = at("uAlphaFunc");
        alphaRef.location = at("uAlphaRef");
        viewport.location = at("uViewport");
        lightDiffuse.location = at("uLightDiffuse");
        lightAmbient.location = at("uLightAmbient");
        globalAmbient.location = at("uGlobalAmbient");
        toLight.location = at("uToLight");
        colorStage.location = at("uColorStage");
        alphaStage.location = at("uAlphaStage");
        viewProj.location = at("uViewProj");
    }

    template <typename T, typename Send>
    static void Set(Slot<T>& slot, const T& value, Send send) {
        if (slot.sent && slot.value == value) return;
        slot.value = value;
        slot.sent = true;
        send(slot.location, value);
    }
    static void Set(Slot<int>& s, int v) {
        Set(s, v, [](GLint l, int x) { glUniform1i(l, x); });
    }
    static void Set(Slot<glm::vec3>& s, const glm::vec3& v) {
        Set(s, v, [](GLint l, const glm::vec3& x) { glUniform3fv(l, 1, glm::value_ptr(x)); });
    }
    static void Set(Slot<glm::vec4>& s, const glm::vec4& v) {
        Set(s, v, [](GLint l, const glm::vec4& x) { glUniform4fv(l, 1, glm::value_ptr(x)); });
    }
    static void Set(Slot<glm::ivec3>& s, const glm::ivec3& v) {
        Set(s, v, [](GLint l, const glm::ivec3& x) { glUniform3iv(l, 1, glm::value_ptr(x)); });
    }
    static void Set(Slot<glm::mat4>& s, const glm::mat4& v) {
        Set(s, v, [](GLint l, const glm::mat4& x) {
            glUniformMatrix4fv(l, 1, GL_FALSE, glm::value_ptr(x));
        });
    }
};

GlBackend::GlBackend(std::unique_ptr<GlSurface> surface)
    : surface(std::move(surface)), uniforms(std::make_unique<Uniforms>()) {}

GlBackend::~GlBackend() {
    glDeleteBuffers(1, &streamBuffer);
    glDeleteBuffers(1, &quadIndexBuffer);
    glDeleteVertexArrays(1, &quadArray);
    glDeleteProgram(program);
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
    if (!CreateProgram() || !CreateBackBuffer(params.width, params.height)) return false;

    glGenBuffers(1, &streamBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    glBufferData(GL_ARRAY_BUFFER, kStreamBytes, nullptr, GL_STREAM_DRAW);
    pendingInstances.reserve(kMaxInstances);

    glGenVertexArrays(1, &quadArray);
    glGenBuffers(1, &quadIndexBuffer);
    glBindVertexArray(quadArray);
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
    GLuint vs = Compile(GL_VERTEX_SHADER, glsl::kVertexShader);
    GLuint fs = Compile(GL_FRAGMENT_SHADER, glsl::kFragmentShader);
    if (!vs || !fs) return false;
    program = glCreateProgram();
    glAttachShader(program, vs);
    glAttachShader(program, fs);
    glLinkProgram(program);
    glDeleteShader(vs);
    glDeleteShader(fs);
    GLint ok = 0;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (!ok) {
        std::fprintf(stderr, "velmora: shaders do not link\n");
        return false;
    }
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "uTexture"), 0);
    uniforms->Locate(program);
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
    glClearColor(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f,
                 (argb & 0xFF) / 255.0f, ((argb >> 24) & 0xFF) / 255.0f);
    glClearDepth(1.0);
    glDepthMask(GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
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
    if (ShowLastFrame()) {
        NotePresent();
    } else {
        glFlush();
    }
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
    GLint internal = format == TextureFormat::X8R8G8B8 ? GL_RGB8 : GL_RGBA8;
    glTexImage2D(GL_TEXTURE_2D, 0, internal, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, argb);
    // Point sampling without mipmaps, wrapping: the classic default sampler.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    return std::make_unique<GlTexture>(name, w, h, format, [this] { Flush(); });
}

std::unique_ptr<GpuMesh> GlBackend::CreateMesh(std::span<const MeshVertex> vertices,
                                               std::span<const uint32_t> indices) {
    auto mesh = std::make_unique<GlMesh>();
    glBindVertexArray(mesh->array);
    glBindBuffer(GL_ARRAY_BUFFER, mesh->vertices);
    glBufferData(GL_ARRAY_BUFFER, vertices.size_bytes(), vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh->indices);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, indices.size_bytes(), indices.data(), GL_STATIC_DRAW);
    Attribute(0, 3, sizeof(MeshVertex), offsetof(MeshVertex, position));
    Attribute(1, 3, sizeof(MeshVertex), offsetof(MeshVertex, normal));
    Attribute(2, 2, sizeof(MeshVertex), offsetof(MeshVertex, uv));
    BindInstanceAttributes(streamBuffer, 0);
    glBindVertexArray(0);
    return mesh;
}

void GlBackend::ApplyPipelineState() {
    const FixedFunctionState& s = state;
    if (s.Get(RenderState::AlphaBlendEnable)) {
        glEnable(GL_BLEND);
        glBlendFunc(BlendFactor(s.Get(RenderState::SrcBlend)),
                    BlendFactor(s.Get(RenderState::DestBlend)));
    } else {
        glDisable(GL_BLEND);
    }
    // The picture on screen has GL's orientation, so "counter-clockwise as seen" is GL's CCW.
    switch (s.Get(RenderState::CullMode)) {
        case kCullCCW:
            glEnable(GL_CULL_FACE);
            glCullFace(GL_FRONT);
            glFrontFace(GL_CCW);
            break;
        case kCullCW:
            glEnable(GL_CULL_FACE);
            glCullFace(GL_FRONT);
            glFrontFace(GL_CW);
            break;
        default:
            glDisable(GL_CULL_FACE);
    }
    if (s.Get(RenderState::ZEnable)) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    glDepthMask(s.Get(RenderState::ZWriteEnable) ? GL_TRUE : GL_FALSE);
    const Viewport& v = s.viewport;
    glViewport(v.x, height - v.y - v.height, v.width, v.height);
    glDepthRange(v.minZ, v.maxZ);
}

void GlBackend::ApplyUniforms(bool screenSpace) {
    const FixedFunctionState& s = state;
    Uniforms& u = *uniforms;
    Uniforms::Set(u.screenSpace, screenSpace ? 1 : 0);
    const Viewport& v = s.viewport;
    Uniforms::Set(u.viewport, glm::vec4(v.x, v.y, v.width, v.height));
    if (!screenSpace) {
        Uniforms::Set(u.viewProj,
                      kDepthToGl * s.Get(TransformKind::Projection) * s.Get(TransformKind::View));
        Uniforms::Set(u.lighting, s.Get(RenderState::Lighting) ? 1 : 0);
        Uniforms::Set(u.globalAmbient, ArgbToRgb(s.Get(RenderState::Ambient)));
        const Light& light = s.lights[0];
        bool directional = s.lightEnabled[0] && light.type == LightType::Directional;
        Uniforms::Set(u.lightEnabled, directional ? 1 : 0);
        Uniforms::Set(u.toLight, -light.direction);
        Uniforms::Set(u.lightDiffuse, Rgba(light.diffuse));
        Uniforms::Set(u.lightAmbient, Rgba(light.ambient));
    }
    Uniforms::Set(u.hasTexture, s.texture ? 1 : 0);
    Uniforms::Set(u.colorStage,
                  glm::ivec3(s.Get(TextureStageState::ColorOp), s.Get(TextureStageState::ColorArg1),
                             s.Get(TextureStageState::ColorArg2)));
    Uniforms::Set(u.alphaStage,
                  glm::ivec3(s.Get(TextureStageState::AlphaOp), s.Get(TextureStageState::AlphaArg1),
                             s.Get(TextureStageState::AlphaArg2)));
    Uniforms::Set(u.alphaTest, s.Get(RenderState::AlphaTestEnable) ? 1 : 0);
    Uniforms::Set(u.alphaFunc, static_cast<int>(s.Get(RenderState::AlphaFunc)));
    Uniforms::Set(u.alphaRef, static_cast<int>(s.Get(RenderState::AlphaRef) & 0xFF));
    if (s.texture) {
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, static_cast<const GlTexture*>(s.texture)->name);
    }
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

void GlBackend::DrawIndexed(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount) {
    if (indexCount == 0) return;
    bool joins = pending == Pending::Instances && pendingMesh == &mesh &&
                 pendingFirst == firstIndex && pendingCount == indexCount &&
                 pendingInstances.size() < kMaxInstances && SameModelState(pendingState, state);
    if (!joins) {
        Flush();
        pending = Pending::Instances;
        pendingState = state;
        pendingMesh = &mesh;
        pendingFirst = firstIndex;
        pendingCount = indexCount;
    }
    const glm::mat4& world = state.Get(TransformKind::World);
    pendingInstances.push_back(Instance{world, glm::transpose(glm::inverse(glm::mat3(world))),
                                        Rgba(state.material.diffuse), Rgba(state.material.ambient),
                                        Rgba(state.material.emissive)});
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

size_t GlBackend::Stream(const void* data, size_t bytes) {
    // Each batch gets storage no queued draw reads, so the driver never waits.
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    if (streamOffset + bytes > kStreamBytes) {
        glBufferData(GL_ARRAY_BUFFER, kStreamBytes, nullptr, GL_STREAM_DRAW);
        streamOffset = 0;
    }
    size_t at = streamOffset;
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
    streamOffset = (at + bytes + 63) & ~size_t{63};
    return at;
}

void GlBackend::Flush() {
    if (pending == Pending::None) return;
    FixedFunctionState drawing = state;
    state = pendingState;
    ApplyPipelineState();
    ApplyUniforms(pending == Pending::Quads);
    state = drawing;
    if (pending == Pending::Quads) {
        glBindVertexArray(quadArray);
        size_t base = Stream(pendingQuads.data(), pendingQuads.size() * sizeof(QuadVertex));
        Attribute(0, 3, sizeof(QuadVertex), base + offsetof(QuadVertex, x));
        Attribute(2, 2, sizeof(QuadVertex), base + offsetof(QuadVertex, u));
        Attribute(3, GL_BGRA, sizeof(QuadVertex), base + offsetof(QuadVertex, color),
                  GL_UNSIGNED_BYTE, GL_TRUE);
        glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(pendingQuads.size() / 4 * 6),
                       GL_UNSIGNED_INT, nullptr);
        pendingQuads.clear();
    } else {
        size_t base = Stream(pendingInstances.data(), pendingInstances.size() * sizeof(Instance));
        glBindVertexArray(static_cast<const GlMesh*>(pendingMesh)->array);
        BindInstanceAttributes(streamBuffer, base);
        glDrawElementsInstanced(
            GL_TRIANGLES, static_cast<GLsizei>(pendingCount), GL_UNSIGNED_INT,
            reinterpret_cast<void*>(static_cast<uintptr_t>(pendingFirst) * sizeof(uint32_t)),
            static_cast<GLsizei>(pendingInstances.size()));
        pendingInstances.clear();
    }
    ++glDrawCalls;
    pending = Pending::None;
}
