#include "game/RenderSetup.h"

#include "graphics/Quad.h"
#include "graphics/Transform.h"
#include "world/Field.h"

namespace {
// The camera hangs above every layer of the field, looking straight down.
constexpr float kCameraHeight = 100.0f;
constexpr float kFarPlane = 1000.0f;
}  // namespace

glm::mat4 FieldView() {
    return LookAtLH({0, kCameraHeight, 0}, {0, 0, 0}, {0, 0, 1});
}

glm::mat4 FieldProjection() {
    return OrthoLH(field::kSize, field::kSize, 1, kFarPlane);
}

void ApplyGameRenderState(GraphicsDevice& graphics) {
    RenderBackend* device = graphics.GetDevice();
    if (!device) return;
    device->SetRenderState(RenderState::AlphaBlendEnable, 1);
    device->SetRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
    device->SetRenderState(RenderState::DestBlend, kBlendInvSrcAlpha);
    device->SetRenderState(RenderState::DitherEnable, 0);
    device->SetRenderState(RenderState::SpecularEnable, 0);
    device->SetRenderState(RenderState::CullMode, kCullCCW);
    device->SetRenderState(RenderState::Lighting, 1);
    device->SetRenderState(RenderState::ZEnable, 1);
    device->SetRenderState(RenderState::Ambient, 0x006F6F6F);
    device->SetRenderState(RenderState::AlphaRef, 1);
    device->SetRenderState(RenderState::AlphaTestEnable, 1);
    device->SetRenderState(RenderState::AlphaFunc, kCmpGreaterEqual);
    UseTextureModulate(device);

    device->SetTransform(TransformKind::World, glm::mat4(1.0f));
    device->SetTransform(TransformKind::View, FieldView());
    device->SetTransform(TransformKind::Projection, FieldProjection());
    graphics.SetLight(0, LightType::Directional, {-1, -1, -1}, {-1, -1, -1}, {1, 1, 1, 1}, 1000);
}
