#pragma once
#include <vector>

#include "graphics/NullBackend.h"

// The null device, also keeping what each draw was drawn with.
class RecordingBackend : public NullBackend {
public:
    struct MeshDraw {
        glm::mat4 world;
        uint32_t destBlend;
        float alpha;  // the material's diffuse alpha
        const GpuTexture* texture;
        uint32_t colorOp;  // how the first texture stage makes the colour
    };
    struct QuadDraw {
        float x, y;  // top-left corner
        uint32_t color;
    };

    void DrawIndexed(const GpuMesh& mesh, uint32_t firstIndex, uint32_t indexCount) override {
        NullBackend::DrawIndexed(mesh, firstIndex, indexCount);
        meshDraws.push_back({State().Get(TransformKind::World), State().Get(RenderState::DestBlend),
                             State().material.diffuse.a, State().texture,
                             State().Get(TextureStageState::ColorOp)});
    }
    void DrawQuad(const QuadVertex (&vertices)[4]) override {
        NullBackend::DrawQuad(vertices);
        quadDraws.push_back({vertices[0].x, vertices[0].y, vertices[0].color});
    }
    void Forget() {
        meshDraws.clear();
        quadDraws.clear();
    }

    std::vector<MeshDraw> meshDraws;
    std::vector<QuadDraw> quadDraws;
};
