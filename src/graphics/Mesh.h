#pragma once
#include <memory>
#include <string>
#include <vector>

#include "graphics/GraphicsDevice.h"
#include "graphics/Transform.h"

// One .x model: its geometry on the GPU, one draw range (subset) per material,
// the materials and the textures they name.
class Mesh {
public:
    Mesh(GraphicsDevice& device, const std::string& path);
    // A model from the text or bytes of a .x file; its textures are looked for in textureFolder.
    static std::unique_ptr<Mesh> FromMemory(GraphicsDevice& device, const std::string& file,
                                            const std::string& textureFolder);

    // A draw tint: every material colour × scale + offset.
    void SetColors(ColorValue scale, ColorValue offset);
    // Puts the texture into every slot that has one; empty slots stay empty. The
    // mesh does not own it: the caller keeps it alive while the mesh uses it.
    void ReplaceTextures(const GpuTexture* texture);
    // Puts back the textures the model was loaded with.
    void RestoreTextures();
    const GpuTexture* GetFirstTexture() const;

    // Draws with only the opacity changed, in normal or additive blending.
    void Draw(glm::vec3 position, glm::vec3 scale, glm::vec3 rotation, RotationOrder order,
              float alpha, bool additive);
    // Draws with every material colour multiplied by this one.
    void Draw(glm::vec3 position, glm::vec3 scale, glm::vec3 rotation, RotationOrder order,
              ColorValue colour, bool additive);
    // Draws with the tint and the blend state as they stand.
    void DrawTransformed(glm::vec3 position, glm::vec3 scale, glm::vec3 rotation,
                         RotationOrder order);
    void DrawWithWorld(const glm::mat4& world);
    void DrawSubsets();

    uint32_t MaterialCount() const { return static_cast<uint32_t>(draws.size()); }
    const Material& GetMaterial(uint32_t i) const { return materials[i]; }
    const GpuTexture* GetTexture(uint32_t i) const { return draws[i].texture; }
    uint32_t TriangleCount(uint32_t subset) const { return draws[subset].indexCount / 3; }

private:
    explicit Mesh(GraphicsDevice& device);
    // Checks and loads the bytes of a .x file; label names it in messages.
    void Load(GraphicsDevice& graphics, std::string file, const std::string& textureFolder,
              const std::string& label);

    RenderBackend* device;
    std::unique_ptr<GpuMesh> mesh;
    std::vector<Material> materials;
    // One per material: its index range, and what it is drawn with next (the
    // texture a slot holds now, its own or a replacement).
    std::vector<SubsetDraw> draws;
    std::vector<std::unique_ptr<GpuTexture>> ownTextures;
    ColorValue colorScale{1, 1, 1, 1};
    ColorValue colorOffset{0, 0, 0, 0};
};

// Normal blending (source alpha over inverse source alpha) or additive (source alpha
// added); the state stays set after the draw.
void SetBlendMode(RenderBackend* device, bool additive);
