#include "graphics/platform/GlProgramCache.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include <glm/gtc/type_ptr.hpp>

#include "graphics/platform/GlResources.h"
#include "graphics/platform/GlShaders.h"

namespace {

// Frames without a new program after which the game has the programs it draws with.
constexpr int kSettledFrames = 120;

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

// Uniform locations and the values last sent, so unchanged values are not sent again.
struct Uniforms {
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

}  // namespace

// A program and what it is built for.
struct GlProgramCache::Program {
    explicit Program(const ProgramKey& key) : key(key) {
        const std::string defines = glsl::Preamble(key);
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

    ProgramKey key;
    GLuint name = 0;
    Uniforms uniforms;
};

GlProgramCache::GlProgramCache(GlCounters& counters) : counters(counters) {}

GlProgramCache::~GlProgramCache() = default;

bool GlProgramCache::CanBuild(const FixedFunctionState& s) {
    compilerHeld = true;
    framesSinceBuild = 0;
    bool built = Program(KeyOf(s, false)).name != 0;
    current = nullptr;  // it made itself current
    return built;
}

GlProgramCache::Program* GlProgramCache::Find(const ProgramKey& key) {
    if (current && current->key == key) return current;
    auto found = std::find_if(programs.begin(), programs.end(),
                              [&key](const auto& p) { return p->key == key; });
    // A program that would not build is kept too, so that it is not built, and
    // its log printed, again at every draw.
    if (found == programs.end()) {
        found = programs.insert(programs.end(), std::make_unique<Program>(key));
        compilerHeld = true;
        framesSinceBuild = 0;
    } else if ((*found)->name) {
        glUseProgram((*found)->name);
    }
    if (!(*found)->name) return nullptr;
    ++counters.stateChanges;
    current = found->get();
    return current;
}

bool GlProgramCache::Use(const FixedFunctionState& s, bool screenSpace) {
    Program* program = Find(KeyOf(s, screenSpace));
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
    counters.stateChanges += u.sends;
    u.sends = 0;
    return true;
}

void GlProgramCache::FrameShown() {
    if (!compilerHeld || ++framesSinceBuild < kSettledFrames) return;
    // Mesa keeps the built-in functions of GLSL, several megabytes, from the
    // first compile on; the next program to build makes them again. The C
    // library keeps freed memory for the heap (KeepFreedHeapBetweenFrames),
    // so the pages go back to the system here.
    glReleaseShaderCompiler();
    malloc_trim(0);
    compilerHeld = false;
}
