// The pictures decode with the game's decoder at the sizes the game draws them.
#include <gtest/gtest.h>

#include <set>

#include "MediaFiles.h"
#include "graphics/platform/SdlImageDecoder.h"

namespace {

int Alpha(uint32_t argb) {
    return static_cast<int>(argb >> 24);
}
float Luma(uint32_t argb) {
    return 0.3f * ((argb >> 16) & 0xFF) + 0.59f * ((argb >> 8) & 0xFF) + 0.11f * (argb & 0xFF);
}

class TextureFiles : public ::testing::Test {
protected:
    Image Load(const std::filesystem::path& p) {
        Image img = decoder.Decode(p.string());
        EXPECT_FALSE(img.Empty()) << p;
        return img;
    }
    float MeanLuma(const Image& img, int x0, int y0, int x1, int y1) {
        double sum = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x)
                sum += Luma(img.pixels[y * img.width + x]);
        }
        return static_cast<float>(sum / ((x1 - x0) * (y1 - y0)));
    }
    SdlImageDecoder decoder;
};

}  // namespace

TEST_F(TextureFiles, PicturesHaveTheirSizes) {
    for (const std::string& name : media_files::kTextures)
        Load(media_files::Dir() / "Texture" / name);
    Image title = Load(media_files::Dir() / "Texture" / "title.png");
    EXPECT_EQ(title.width, 640);
    EXPECT_EQ(title.height, 480);
    // Life icons are drawn at their image size every 32 pixels.
    Image icon = Load(media_files::Dir() / "Texture" / "ship.png");
    EXPECT_GE(icon.width, 24);
    EXPECT_LE(icon.width, 32);
    EXPECT_GE(icon.height, 24);
    EXPECT_LE(icon.height, 32);
    EXPECT_EQ(Alpha(icon.pixels[0]), 0) << "the icon's corner is see-through";
    EXPECT_EQ(Alpha(icon.pixels[(icon.height / 2) * icon.width + icon.width / 2]), 255);
    Image sky = Load(media_files::Dir() / "Model" / "bg1.png");
    EXPECT_GT(sky.width, 0);
}

TEST_F(TextureFiles, TitleKeepsTheMenuOnDarkGround) {
    Image title = Load(media_files::Dir() / "Texture" / "title.png");
    ASSERT_EQ(title.width, 640);
    // The menu's 8-pixel items at x = 256, y = 240..343, unselected ones in dark grey (0x40).
    EXPECT_LT(MeanLuma(title, 250, 236, 400, 350), 16.0f);
    // The name above it stands out.
    EXPECT_GT(MeanLuma(title, 80, 90, 560, 160), 3 * MeanLuma(title, 250, 236, 400, 350));
}

TEST_F(TextureFiles, FontSheetHasTheGlyphsInOrder) {
    Image sheet = Load(media_files::Dir() / "Font" / "fonts.png");
    ASSERT_EQ(sheet.width, 256);
    ASSERT_EQ(sheet.height, 56);
    const std::string order = "0123456789@?{}ABCDEFGHIJKLMNOPQRSTUVWXYZ=.";
    std::set<std::vector<bool>> shapes;
    for (int cell = 0; cell < 32 * 7; ++cell) {
        int cx = (cell % 32) * 8, cy = (cell / 32) * 8;
        std::vector<bool> shape;
        int lit = 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                uint32_t p = sheet.pixels[(cy + y) * 256 + cx + x];
                // Opaque white or fully transparent: the alpha test and the text colour do the
                // rest.
                ASSERT_TRUE(Alpha(p) == 0 || p == 0xFFFFFFFF) << "cell " << cell;
                bool on = Alpha(p) == 255;
                // The last column and row stay empty: the gap between glyphs and lines.
                if (x == 7 || y == 7) {
                    EXPECT_FALSE(on) << "cell " << cell;
                }
                shape.push_back(on);
                lit += on;
            }
        }
        if (cell < static_cast<int>(order.size())) {
            EXPECT_GE(lit, order[cell] == '.' ? 4 : 12) << "glyph " << order[cell];
            EXPECT_TRUE(shapes.insert(shape).second)
                << "glyph " << order[cell] << " repeats another";
        } else {
            EXPECT_EQ(lit, 0) << "cell " << cell << " has no character";
        }
    }
}
