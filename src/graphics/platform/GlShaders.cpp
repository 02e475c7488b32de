#include "graphics/platform/GlShaders.h"

#include "graphics/platform/GlResources.h"

namespace {

// How often the texture and the vertex colour are multiplied into a channel group.
struct Factors {
    uint8_t texture = 0, vertex = 0;
};

// An argument of texture stage 0: an empty texture slot reads as opaque white,
// a factor of one; the current colour of the first stage is the diffuse colour.
Factors Argument(uint32_t arg, bool hasTexture) {
    if (arg == kTaTexture) return {static_cast<uint8_t>(hasTexture ? 1 : 0), 0};
    return {0, 1};
}

// Any operation but the two selections modulates.
Factors Operation(uint32_t op, uint32_t arg1, uint32_t arg2, bool hasTexture) {
    Factors a = Argument(arg1, hasTexture), b = Argument(arg2, hasTexture);
    if (op == kTopSelectArg1) return a;
    if (op == kTopSelectArg2) return b;
    return {static_cast<uint8_t>(a.texture + b.texture), static_cast<uint8_t>(a.vertex + b.vertex)};
}

// The product as GLSL: "tex.rgb * vColor.rgb", or one when nothing is multiplied.
std::string Product(int textures, int vertexColours, const std::string& part,
                    const std::string& one) {
    std::string product;
    auto times = [&product, &part](const char* factor, int count) {
        for (int i = 0; i < count; ++i)
            product += (product.empty() ? "" : " * ") + std::string(factor) + part;
    };
    times("tex", textures);
    times("vColor", vertexColours);
    return product.empty() ? one : product;
}

// The alpha test's comparison of a fragment's alpha a (0..255) as a GLSL expression.
std::string AlphaComparison(uint32_t function) {
    switch (function) {
        case kCmpNever:
            return "(false)";
        case kCmpLess:
            return "(a < uAlphaRef)";
        case kCmpEqual:
            return "(a == uAlphaRef)";
        case kCmpLessEqual:
            return "(a <= uAlphaRef)";
        case kCmpGreater:
            return "(a > uAlphaRef)";
        case kCmpNotEqual:
            return "(a != uAlphaRef)";
        case kCmpGreaterEqual:
            return "(a >= uAlphaRef)";
        default:
            return "(true)";
    }
}

std::string Define(const std::string& name, const std::string& value) {
    return "#define " + name + " " + value + "\n";
}

std::string Define(const std::string& name, int value) {
    return Define(name, std::to_string(value));
}

}  // namespace

ProgramKey KeyOf(const FixedFunctionState& s, bool screenSpace) {
    ProgramKey key;
    key.screenSpace = screenSpace;
    key.lighting = !screenSpace && s.Get(RenderState::Lighting);
    key.directionalLight =
        key.lighting && s.lightEnabled[0] && s.lights[0].type == LightType::Directional;
    const bool hasTexture = s.texture != nullptr;
    Factors color =
        Operation(s.Get(TextureStageState::ColorOp), s.Get(TextureStageState::ColorArg1),
                  s.Get(TextureStageState::ColorArg2), hasTexture);
    Factors alpha =
        Operation(s.Get(TextureStageState::AlphaOp), s.Get(TextureStageState::AlphaArg1),
                  s.Get(TextureStageState::AlphaArg2), hasTexture);
    key.colorTexture = color.texture;
    key.colorVertex = color.vertex;
    key.alphaTexture = alpha.texture;
    key.alphaVertex = alpha.vertex;
    const uint32_t function = s.Get(RenderState::AlphaFunc);
    const bool tests =
        s.Get(RenderState::AlphaTestEnable) && function >= kCmpNever && function < kCmpAlways;
    key.alphaTest = tests ? function : kCmpAlways;
    return key;
}

namespace glsl {

std::string Preamble(const ProgramKey& key) {
    std::string text = "#version 330 core\n";
    text += Define("POSITION_LOCATION", kPositionLocation);
    text += Define("NORMAL_LOCATION", kNormalLocation);
    text += Define("UV_LOCATION", kUvLocation);
    text += Define("COLOR_LOCATION", kColorLocation);
    text += Define("WORLD_LOCATION", kWorldLocation);
    text += Define("NORMAL_MATRIX_LOCATION", kNormalMatrixLocation);
    text += Define("MATERIAL_LOCATION", kMaterialLocation);
    text += Define("SUBSET_LOCATION", kSubsetLocation);
    text += Define("SCREEN_SPACE", key.screenSpace);
    text += Define("LIGHTING", key.lighting);
    text += Define("LIGHT_ENABLED", key.directionalLight);
    text += Define("SAMPLES_TEXTURE", key.colorTexture + key.alphaTexture > 0);
    text += Define("STAGE_RGB", Product(key.colorTexture, key.colorVertex, ".rgb", "vec3(1.0)"));
    text += Define("STAGE_ALPHA", Product(key.alphaTexture, key.alphaVertex, ".a", "1.0"));
    text += Define("ALPHA_TEST", key.alphaTest != kCmpAlways);
    text += Define("ALPHA_PASSES(a)", AlphaComparison(key.alphaTest));
    return text;
}

const char* const kVertexShader = R"(
layout(location = POSITION_LOCATION) in vec3 inPosition;
layout(location = NORMAL_LOCATION) in vec3 inNormal;
layout(location = UV_LOCATION) in vec2 inUv;
layout(location = COLOR_LOCATION) in vec4 inColor;
// One model draw: consecutive draws of the same mesh range share a GL draw call.
layout(location = WORLD_LOCATION) in mat4 inWorld;
// Normals are transformed but not re-normalised.
layout(location = NORMAL_MATRIX_LOCATION) in mat3 inNormalMatrix;
// Where the draw's materials start in uMaterials, and the texels between two ranges'.
layout(location = MATERIAL_LOCATION) in ivec2 inMaterial;
layout(location = SUBSET_LOCATION) in uint inSubset;  // the range of its mesh the vertex is in

uniform vec4 uViewport;          // x, y, width, height in pixels
uniform mat4 uViewProj;          // clip space with GL's depth range
uniform vec3 uGlobalAmbient;
uniform vec3 uToLight;
uniform vec4 uLightDiffuse;
uniform vec4 uLightAmbient;
uniform samplerBuffer uMaterials;  // diffuse, ambient, emissive: a texel each

out vec4 vColor;
out vec2 vUv;

void main() {
    vUv = inUv;
#if SCREEN_SPACE
    // Pre-transformed quad vertices in pixels.
    vec2 p = (inPosition.xy - uViewport.xy) / uViewport.zw;
    gl_Position = vec4(p.x * 2.0 - 1.0, 1.0 - p.y * 2.0, inPosition.z * 2.0 - 1.0, 1.0);
    vColor = inColor;
#else
    gl_Position = uViewProj * (inWorld * vec4(inPosition, 1.0));
#if !LIGHTING
    vColor = vec4(1.0);
#else
    int material = inMaterial.x + int(inSubset) * inMaterial.y;
    vec4 diffuse = texelFetch(uMaterials, material);
    vec4 ambient = texelFetch(uMaterials, material + 1);
    vec4 emissive = texelFetch(uMaterials, material + 2);
    vec3 color = emissive.rgb + ambient.rgb * uGlobalAmbient;
#if LIGHT_ENABLED
    vec3 n = inNormalMatrix * inNormal;
    color += ambient.rgb * uLightAmbient.rgb;
    color += diffuse.rgb * uLightDiffuse.rgb * max(dot(n, uToLight), 0.0);
#endif
    vColor = vec4(clamp(color, 0.0, 1.0), clamp(diffuse.a, 0.0, 1.0));
#endif
#endif
}
)";

const char* const kFragmentShader = R"(
in vec4 vColor;
in vec2 vUv;

uniform sampler2D uTexture;
uniform int uAlphaRef;

out vec4 fragColor;

void main() {
#if SAMPLES_TEXTURE
    vec4 tex = texture(uTexture, vUv);
#endif
    vec4 color = vec4(STAGE_RGB, STAGE_ALPHA);
#if ALPHA_TEST
    int alpha = int(color.a * 255.0 + 0.5);
    if (!ALPHA_PASSES(alpha)) discard;
#endif
    fragColor = color;
}
)";

}  // namespace glsl
