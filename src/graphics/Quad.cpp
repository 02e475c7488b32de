#include "graphics/Quad.h"

#include "graphics/RenderBackend.h"

void DrawQuad(RenderBackend* device, float x, float y, float width, float height, float u, float v,
              float du, float dv, uint32_t color) {
    if (!device) return;
    const QuadVertex vertices[4] = {
        {x, y, 0.0f, 1.0f, color, u, v},
        {x + width, y, 0.0f, 1.0f, color, u + du, v},
        {x, y + height, 0.0f, 1.0f, color, u, v + dv},
        {x + width, y + height, 0.0f, 1.0f, color, u + du, v + dv},
    };
    device->DrawQuad(vertices);
}

void FillRect(RenderBackend* device, float x, float y, float width, float height, uint32_t color) {
    if (!device) return;
    device->SetTextureStageState(TextureStageState::ColorOp, kTopSelectArg2);
    device->SetTextureStageState(TextureStageState::ColorArg2, kTaDiffuse);
    device->SetTextureStageState(TextureStageState::AlphaOp, kTopSelectArg2);
    device->SetTextureStageState(TextureStageState::AlphaArg2, kTaDiffuse);
    DrawQuad(device, x, y, width, height, 0, 0, 0, 0, color);
}

void UseTextureModulate(RenderBackend* device) {
    device->SetTextureStageState(TextureStageState::ColorOp, kTopModulate);
    device->SetTextureStageState(TextureStageState::ColorArg1, kTaTexture);
    device->SetTextureStageState(TextureStageState::ColorArg2, kTaDiffuse);
    device->SetTextureStageState(TextureStageState::AlphaOp, kTopModulate);
    device->SetTextureStageState(TextureStageState::AlphaArg1, kTaTexture);
    device->SetTextureStageState(TextureStageState::AlphaArg2, kTaDiffuse);
}
