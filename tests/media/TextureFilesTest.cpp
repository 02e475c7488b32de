// The pictures decode with the game's decoder at the sizes the game draws them,
// and the font sheet holds every glyph the texts use.
#include <set>

#include <gtest/gtest.h>

#include "MediaFiles.h"
#include "graphics/Glyphs.h"
#include "graphics/platform/SdlImageDecoder.h"

namespace {

int Alpha(uint32_t argb) {
    return static_cast<int>(argb >> 24);
}

Image Load(const std::filesystem::path& p) {
    Image img = SdlImageDecoder().Decode(p.string());
    EXPECT_FALSE(img.Empty()) << p;
    return img;
}

}  // namespace

TEST(TextureFiles, PicturesHaveTheirSizes) {
    for (const std::string& name : media_files::kTextures)
        Load(media_files::Dir() / "Texture" / name);
    Image title = Load(media_files::Dir() / "Texture" / "title.png");
    EXPECT_EQ(title.width, 640);
    EXPECT_EQ(title.height, 480);
    // Life icons are drawn at their image size every 32 pixels.
    Image icon = Load(media_files::Dir() / "Texture" / "ship.png");
    EXPECT_TRUE(icon.width >= 24 && icon.width <= 32 && icon.height >= 24 && icon.height <= 32);
    EXPECT_EQ(Alpha(icon.pixels[0]), 0) << "the icon's corner is see-through";
    EXPECT_EQ(Alpha(icon.pixels[(icon.height / 2) * icon.width + icon.width / 2]), 255);
}

TEST(TextureFiles, FontSheetHasADistinctGlyphInEveryCellTheTextsUse) {
    Image sheet = Load(media_files::Dir() / "Font" / "fonts.png");
    ASSERT_EQ(sheet.width, 256);
    ASSERT_EQ(sheet.height, 56);
    const std::string order(kGlyphOrder);
    // The written glyphs keep their cells; those added come after them.
    ASSERT_EQ(order.substr(0, 42), "0123456789@?{}ABCDEFGHIJKLMNOPQRSTUVWXYZ=.");
    std::set<std::vector<bool>> shapes;
    for (int cell = 0; cell < 32 * 7; ++cell) {
        std::vector<bool> shape;
        int lit = 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                uint32_t p = sheet.pixels[((cell / 32) * 8 + y) * 256 + (cell % 32) * 8 + x];
                // Opaque white or clear: the alpha test and the text colour do the rest.
                ASSERT_TRUE(Alpha(p) == 0 || p == 0xFFFFFFFF) << "cell " << cell;
                // The last column and row stay clear: the gap between glyphs and lines.
                if (x == 7 || y == 7) {
                    EXPECT_EQ(Alpha(p), 0) << "cell " << cell;
                }
                shape.push_back(Alpha(p) == 255);
                lit += Alpha(p) == 255;
            }
        }
        if (cell >= static_cast<int>(order.size())) {
            EXPECT_EQ(lit, 0) << "cell " << cell << " has no character";
        } else {
            bool mark = std::string_view(".-:,'").find(order[cell]) != std::string_view::npos;
            EXPECT_GE(lit, mark ? 4 : 12) << "glyph " << order[cell];
            EXPECT_TRUE(shapes.insert(shape).second) << order[cell] << " repeats another glyph";
        }
    }
}
