#pragma once
// The one shader pair that reproduces the fixed-function subset the game uses:
// per-vertex lighting with one directional light and a global ambient colour,
// texture stage 0 (select or modulate), and the alpha test.
namespace glsl {

inline constexpr const char* kVertexShader = R"(#version 330 core
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

uniform bool uScreenSpace;       // pre-transformed quad vertices in pixels
uniform vec4 uViewport;          // x, y, width, height in pixels
uniform mat4 uViewProj;          // clip space with GL's depth range
uniform bool uLighting;
uniform vec3 uGlobalAmbient;
uniform bool uLightEnabled;
uniform vec3 uToLight;
uniform vec4 uLightDiffuse;
uniform vec4 uLightAmbient;
uniform samplerBuffer uMaterials;  // diffuse, ambient, emissive: a texel each

out vec4 vColor;
out vec2 vUv;

void main() {
    vUv = inUv;
    if (uScreenSpace) {
        vec2 p = (inPosition.xy - uViewport.xy) / uViewport.zw;
        gl_Position = vec4(p.x * 2.0 - 1.0, 1.0 - p.y * 2.0, inPosition.z * 2.0 - 1.0, 1.0);
        vColor = inColor;
        return;
    }
    gl_Position = uViewProj * (inWorld * vec4(inPosition, 1.0));
    if (!uLighting) {
        vColor = vec4(1.0);
        return;
    }
    int material = inMaterial.x + int(inSubset) * inMaterial.y;
    vec4 diffuse = texelFetch(uMaterials, material);
    vec4 ambient = texelFetch(uMaterials, material + 1);
    vec4 emissive = texelFetch(uMaterials, material + 2);
    vec3 color = emissive.rgb + ambient.rgb * uGlobalAmbient;
    if (uLightEnabled) {
        vec3 n = inNormalMatrix * inNormal;
        color += ambient.rgb * uLightAmbient.rgb;
        color += diffuse.rgb * uLightDiffuse.rgb * max(dot(n, uToLight), 0.0);
    }
    vColor = vec4(clamp(color, 0.0, 1.0), clamp(diffuse.a, 0.0, 1.0));
}
)";

inline constexpr const char* kFragmentShader = R"(#version 330 core
in vec4 vColor;
in vec2 vUv;

uniform sampler2D uTexture;
uniform bool uHasTexture;
uniform ivec3 uColorStage;   // op, arg1, arg2
uniform ivec3 uAlphaStage;
uniform bool uAlphaTest;
uniform int uAlphaFunc;
uniform int uAlphaRef;

out vec4 fragColor;

const int kSelectArg1 = 2;
const int kSelectArg2 = 3;
const int kModulate = 4;
const int kArgTexture = 2;

vec4 Argument(int arg, vec4 tex) { return arg == kArgTexture ? tex : vColor; }

vec4 Combine(ivec3 stage, vec4 tex) {
    vec4 a = Argument(stage.y, tex);
    vec4 b = Argument(stage.z, tex);
    if (stage.x == kSelectArg1) return a;
    if (stage.x == kSelectArg2) return b;
    return a * b;
}

bool AlphaPasses(int a) {
    if (uAlphaFunc == 1) return false;
    if (uAlphaFunc == 2) return a < uAlphaRef;
    if (uAlphaFunc == 3) return a == uAlphaRef;
    if (uAlphaFunc == 4) return a <= uAlphaRef;
    if (uAlphaFunc == 5) return a > uAlphaRef;
    if (uAlphaFunc == 6) return a != uAlphaRef;
    if (uAlphaFunc == 7) return a >= uAlphaRef;
    return true;
}

void main() {
    // An empty texture slot reads as opaque white, so the stage passes the colour through.
    vec4 tex = uHasTexture ? texture(uTexture, vUv) : vec4(1.0);
    vec4 color = vec4(Combine(uColorStage, tex).rgb, Combine(uAlphaStage, tex).a);
    if (uAlphaTest && !AlphaPasses(int(color.a * 255.0 + 0.5))) discard;
    fragColor = color;
}
)";

}  // namespace glsl
