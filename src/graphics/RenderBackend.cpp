#include "graphics/RenderBackend.h"

// The defaults of a freshly created fixed-function device.
FixedFunctionState::FixedFunctionState() {
    auto set = [this](RenderState s, uint32_t v) { renderStates[static_cast<int>(s)] = v; };
    set(RenderState::AlphaBlendEnable, 0);
    set(RenderState::SrcBlend, kBlendOne);
    set(RenderState::DestBlend, kBlendZero);
    set(RenderState::DitherEnable, 0);
    set(RenderState::SpecularEnable, 0);
    set(RenderState::CullMode, kCullCCW);
    set(RenderState::Lighting, 1);
    set(RenderState::ZEnable, 1);
    set(RenderState::ZWriteEnable, 1);
    set(RenderState::Ambient, 0);
    set(RenderState::AlphaRef, 0);
    set(RenderState::AlphaTestEnable, 0);
    set(RenderState::AlphaFunc, kCmpAlways);
    auto stage = [this](TextureStageState s, uint32_t v) { stageStates[static_cast<int>(s)] = v; };
    stage(TextureStageState::ColorOp, kTopModulate);
    stage(TextureStageState::ColorArg1, kTaTexture);
    stage(TextureStageState::ColorArg2, kTaCurrent);
    stage(TextureStageState::AlphaOp, kTopSelectArg1);
    stage(TextureStageState::AlphaArg1, kTaTexture);
    stage(TextureStageState::AlphaArg2, kTaCurrent);
    for (auto& m : transforms)
        m = glm::mat4(1.0f);
}

int TexelBytes(TextureFormat format) {
    return format == TextureFormat::A1R5G5B5 ? 2 : 4;
}

void RenderBackend::DrawSubsets(const GpuMesh& mesh, std::span<const SubsetDraw> subsets) {
    for (const SubsetDraw& subset : subsets) {
        SetMaterial(subset.material);
        SetTexture(subset.texture);
        DrawIndexed(mesh, subset.firstIndex, subset.indexCount);
    }
}
