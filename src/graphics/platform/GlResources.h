#pragma once
// The GL objects behind the device's textures and meshes, and the per-draw
// data the instanced draws stream to the vertex shader.
#include <cstdint>
#include <functional>

#include <epoxy/gl.h>
#include <glm/glm.hpp>

#include "graphics/RenderBackend.h"

class GlTexture : public GpuTexture {
public:
    // beforeUpload runs before the pixels are replaced: draws queued with the old ones go first.
    GlTexture(GLuint name, int width, int height, TextureFormat format,
              std::function<void()> beforeUpload);
    ~GlTexture() override;
    // Every texture here holds 32-bit texels.
    void Upload(const void* pixels, int pitchBytes) override;

    GLuint name;
    // Unlike GL's names, never reused: tells whether this texture is the one bound.
    uint64_t serial;

private:
    std::function<void()> beforeUpload;
};

class GlMesh : public GpuMesh {
public:
    explicit GlMesh(uint32_t subsets);
    ~GlMesh() override;
    GLuint array = 0, vertices = 0, indices = 0;
    uint32_t subsets;  // one more than the highest subset of its vertices
};

// Where the shaders read each vertex attribute; the GLSL takes the numbers from here.
enum AttributeLocation : GLuint {
    kPositionLocation = 0,
    kNormalLocation = 1,
    kUvLocation = 2,
    kColorLocation = 3,
    kWorldLocation = 4,         // four columns
    kNormalMatrixLocation = 8,  // three columns
    kMaterialLocation = 11,
    kSubsetLocation = 12,
};

// One model draw as the shader reads it: its vertices of subset s take the
// material at texel material.x + s * material.y (diffuse, ambient, emissive).
struct GlInstance {
    glm::mat4 world;
    glm::mat3 normalMatrix;
    glm::ivec2 material;
};

inline glm::vec4 Rgba(const ColorValue& c) {
    return {c.r, c.g, c.b, c.a};
}
