#pragma once
// The fixed-function vocabulary the game draws with. Enumerator values follow
// the classic fixed-function API so state tables read the same everywhere.
#include <cstdint>

#include <glm/glm.hpp>

struct ColorValue {
    float r = 0, g = 0, b = 0, a = 0;
};

struct Material {
    ColorValue diffuse, ambient, specular, emissive;
    float power = 0;
};

enum class LightType : uint32_t { Point = 1, Spot = 2, Directional = 3 };

struct Light {
    LightType type = LightType::Directional;
    ColorValue diffuse, specular, ambient;
    glm::vec3 position{0.0f};
    glm::vec3 direction{0.0f};
    float range = 0;
};

enum class RenderState {
    AlphaBlendEnable,
    SrcBlend,
    DestBlend,
    DitherEnable,
    SpecularEnable,
    CullMode,
    Lighting,
    ZEnable,
    ZWriteEnable,
    Ambient,
    AlphaRef,
    AlphaTestEnable,
    AlphaFunc,
    Count
};

enum BlendValue : uint32_t {
    kBlendZero = 1,
    kBlendOne = 2,
    kBlendSrcAlpha = 5,
    kBlendInvSrcAlpha = 6
};
enum CullValue : uint32_t { kCullNone = 1, kCullCW = 2, kCullCCW = 3 };
enum CompareValue : uint32_t {
    kCmpNever = 1,
    kCmpLess = 2,
    kCmpEqual = 3,
    kCmpLessEqual = 4,
    kCmpGreater = 5,
    kCmpNotEqual = 6,
    kCmpGreaterEqual = 7,
    kCmpAlways = 8
};

enum class TextureStageState {
    ColorOp,
    ColorArg1,
    ColorArg2,
    AlphaOp,
    AlphaArg1,
    AlphaArg2,
    Count
};

enum TextureOp : uint32_t { kTopSelectArg1 = 2, kTopSelectArg2 = 3, kTopModulate = 4 };
enum TextureArg : uint32_t { kTaDiffuse = 0, kTaCurrent = 1, kTaTexture = 2 };

enum class TransformKind { World, View, Projection, Count };

struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
    float minZ = 0.0f, maxZ = 1.0f;
};

// A model vertex as it goes to the GPU.
struct MeshVertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 uv;
    uint32_t subset = 0;  // the draw range (material) of its mesh the vertex belongs to
};

// A pre-transformed screen vertex: pixels from the top-left, colour ARGB.
struct QuadVertex {
    float x, y, z, rhw;
    uint32_t color;
    float u, v;
};
static_assert(sizeof(QuadVertex) == 28,
              "quad vertices are packed like the classic XYZRHW|DIFFUSE|TEX1 layout");

// What a device is created or reset with.
struct PresentParameters {
    int width = 0, height = 0;
    bool windowed = true;
};

constexpr int kMaxLights = 8;
