#include "graphics/BitmapFont.h"

BitmapFont::BitmapFont(GraphicsDevice& device, const std::string& path,
                       const std::string& glyphOrder, float cellU, float cellV, float glyphWidth,
                       float glyphHeight, float shadowDx, float shadowDy)
    : texture(std::make_unique<Texture>(device, path)),
      cellU(cellU),
      cellV(cellV),
      glyphWidth(glyphWidth),
      glyphHeight(glyphHeight),
      shadowDx(shadowDx),
      shadowDy(shadowDy) {
    int columns = static_cast<int>(1.0f / cellU);
    if (columns < 1) columns = 1;
    for (int c = 0; c < 256; ++c)
        glyphU[c] = glyphV[c] = -1.0f;
    for (size_t i = 0; i < glyphOrder.size(); ++i) {
        auto c = static_cast<unsigned char>(glyphOrder[i]);
        glyphU[c] = static_cast<float>(static_cast<int>(i) % columns) * cellU;
        glyphV[c] = static_cast<float>(static_cast<int>(i) / columns) * cellV;
    }
}

void BitmapFont::DrawText(std::string_view text, float x, float y, uint32_t color) const {
    float pen = x;
    for (unsigned char c : text) {
        if (glyphU[c] >= 0 && glyphV[c] >= 0) {
            texture->Draw(pen, y, glyphWidth, glyphHeight, glyphU[c], glyphV[c], cellU, cellV,
                          color);
        }
        pen += glyphWidth;
    }
}

void BitmapFont::DrawTextShadowed(std::string_view text, float x, float y, uint32_t color,
                                  uint32_t shadowColor) const {
    DrawText(text, x + shadowDx, y + shadowDy, shadowColor);
    DrawText(text, x, y, color);
}
