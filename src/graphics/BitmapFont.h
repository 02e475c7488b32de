#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "graphics/Texture.h"

// Text from a sheet of glyph cells; a glyph-order string says which character
// sits in which cell, row by row.
class BitmapFont {
public:
    BitmapFont(GraphicsDevice& device, const std::string& path, const std::string& glyphOrder,
               float cellU, float cellV, float glyphWidth, float glyphHeight, float shadowDx,
               float shadowDy);

    // One line from pixel (x, y); characters without a glyph leave a gap.
    void DrawText(std::string_view text, float x, float y, uint32_t color) const;
    // The text twice: the shadow first, offset by the shadow distance, then the text.
    void DrawTextShadowed(std::string_view text, float x, float y, uint32_t color,
                          uint32_t shadowColor) const;

private:
    std::unique_ptr<Texture> texture;
    float glyphU[256];
    float glyphV[256];
    float cellU, cellV;
    float glyphWidth, glyphHeight;
    float shadowDx, shadowDy;
};
