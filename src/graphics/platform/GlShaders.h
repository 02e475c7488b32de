#pragma once
// The shader pair that reproduces the fixed-function subset the game uses:
// per-vertex lighting with one directional light and a global ambient colour,
// texture stage 0 (select or modulate), and the alpha test. Each program is
// built for one combination of the switches below (defined as 0 or 1, the
// stage ops and arguments and the alpha function as their numbers), so the
// rasteriser runs only the path a draw takes.
//   SCREEN_SPACE, LIGHTING, LIGHT_ENABLED, HAS_TEXTURE, ALPHA_TEST, ALPHA_FUNC,
//   COLOR_OP, COLOR_ARG1, COLOR_ARG2, ALPHA_OP, ALPHA_ARG1, ALPHA_ARG2
namespace glsl {

inline constexpr const char* kVersion = "#version 330 core\n";

inline constexpr const char* kVertexShader = R"(
layout(location = 0) in vec3 inPosition;
layout(location = 1) in vec3 inNormal;
layout(location = 2) in vec2 inUv;
layout(location = 3) in vec4 inColor;
// One model draw: consecutive draws of the same mesh range share a GL draw call.
layout(location = 4) in mat4 inWorld;
layout(location = 8) in mat3 inNormalMatrix;  // normals are transformed but not re-normalised
// Where the draw's materials start in uMaterials, and the texels between two ranges'.
layout(location = 11) in ivec2 inMaterial;
layout(location = 12) in uint inSubset;  // the range of its mesh the vertex belongs to

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

inline constexpr const char* kFragmentShader = R"(
in vec4 vColor;
in vec2 vUv;

uniform sampler2D uTexture;
uniform int uAlphaRef;

out vec4 fragColor;

const int kSelectArg1 = 2;
const int kSelectArg2 = 3;
const int kArgTexture = 2;

vec4 Argument(int arg, vec4 tex) { return arg == kArgTexture ? tex : vColor; }

vec4 Combine(int op, int arg1, int arg2, vec4 tex) {
    vec4 a = Argument(arg1, tex);
    vec4 b = Argument(arg2, tex);
    if (op == kSelectArg1) return a;
    if (op == kSelectArg2) return b;
    return a * b;
}

bool AlphaPasses(int a) {
    if (ALPHA_FUNC == 1) return false;
    if (ALPHA_FUNC == 2) return a < uAlphaRef;
    if (ALPHA_FUNC == 3) return a == uAlphaRef;
    if (ALPHA_FUNC == 4) return a <= uAlphaRef;
    if (ALPHA_FUNC == 5) return a > uAlphaRef;
    if (ALPHA_FUNC == 6) return a != uAlphaRef;
    if (ALPHA_FUNC == 7) return a >= uAlphaRef;
    return true;
}

void main() {
    // An empty texture slot reads as opaque white, so the stage passes the colour through.
#if HAS_TEXTURE
    vec4 tex = texture(uTexture, vUv);
#else
    vec4 tex = vec4(1.0);
#endif
    vec4 color = vec4(Combine(COLOR_OP, COLOR_ARG1, COLOR_ARG2, tex).rgb,
                      Combine(ALPHA_OP, ALPHA_ARG1, ALPHA_ARG2, tex).a);
#if ALPHA_TEST
    if (!AlphaPasses(int(color.a * 255.0 + 0.5))) discard;
#endif
    fragColor = color;
}
)";

}  // namespace glsl
