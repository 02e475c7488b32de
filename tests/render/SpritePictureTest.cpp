// Screen quads and bitmap text, as the head-up display and the scenes use them.
#include "GlFixture.h"
#include "TestAssets.h"
#include "graphics/BitmapFont.h"
#include "graphics/Mesh.h"
#include "graphics/Quad.h"

namespace {

const char* kGlyphOrder = "0123456789@?{}ABCDEFGHIJKLMNOPQRSTUVWXYZ=.";

// A 256 x 56 sheet of 8 x 8 cells: cell (c, r) filled with a colour of its own.
uint32_t CellColour(int c, int r) {
    return 0xFF000000u | (c * 8) << 16 | (r * 36) << 8 | 0x80;
}

class SpritePicture : public GlFixture {
protected:
    void SetUp() override {
        GlFixture::SetUp();
        if (IsSkipped()) return;
        std::vector<uint32_t> sheet(256 * 56);
        for (int y = 0; y < 56; ++y) {
            for (int x = 0; x < 256; ++x)
                sheet[y * 256 + x] = CellColour(x / 8, y / 8);
        }
        WritePng(dir.Path() / "cells.png", 256, 56, sheet);
        WriteSolidPng(dir.Path() / "white.png", 256, 56, 0xFFFFFFFF);
    }
    BitmapFont Font(const std::string& file) {
        return BitmapFont(Graphics(), dir / file, kGlyphOrder, 0.03125f, 0.14285715f, 8, 8, 2, 2);
    }
    Rgb Cell(int c, int r) {
        uint32_t v = CellColour(c, r);
        return Rgb{static_cast<int>(v >> 16 & 0xFF), static_cast<int>(v >> 8 & 0xFF),
                   static_cast<int>(v & 0xFF)};
    }

    TempDir dir{"sprite_picture"};
};

}  // namespace

TEST_F(SpritePicture, GlyphsComeFromTheirCellsEightPixelsApart) {
    BitmapFont font = Font("cells.png");
    BeginFrame(0xFF000000);
    font.DrawText("?S", 100, 100, 0xFFFFFFFF);
    EXPECT_TRUE(Near(At(100, 100), Cell(11, 0), 0));
    EXPECT_TRUE(Near(At(107, 107), Cell(11, 0), 0));
    EXPECT_TRUE(Near(At(108, 100), Cell(0, 1), 0));
    EXPECT_TRUE(Near(At(115, 107), Cell(0, 1), 0));
    EXPECT_TRUE(Near(At(116, 100), {0, 0, 0}, 0));
}

TEST_F(SpritePicture, SpacesAndLowerCaseDrawNothingButAdvance) {
    BitmapFont font = Font("white.png");
    BeginFrame(0xFF000000);
    font.DrawText("SCORE 100", 10, 20, 0xFFFFFFFF);
    font.DrawText("abS", 10, 40, 0xFFFFFFFF);
    EXPECT_EQ(At(10, 20).r, 255);  // "S" starts at x = 10
    EXPECT_EQ(At(9, 20).r, 0);
    for (int x = 50; x <= 57; ++x)
        EXPECT_EQ(At(x, 24).r, 0) << "the space at x = " << x;
    EXPECT_EQ(At(74, 27).r, 255);  // the last "0" covers 74..81
    EXPECT_EQ(At(81, 27).r, 255);
    EXPECT_EQ(At(82, 27).r, 0);
    EXPECT_EQ(At(10, 28).r, 0);  // 8 rows high
    for (int x = 10; x < 26; ++x)
        EXPECT_EQ(At(x, 44).r, 0) << "lower case at x = " << x;
    EXPECT_EQ(At(26, 44).r, 255);
}

// The "HIGH SCORE" label draws its front copy in colour 0: only the shadow shows.
TEST_F(SpritePicture, TheShadowFallsTwoPixelsRightAndDownAndAClearColourIsDiscarded) {
    BitmapFont font = Font("white.png");
    BeginFrame(0xFF808080);
    font.DrawTextShadowed("0", 100, 100, 0xFFFFFFFF, 0xFF000000);
    font.DrawTextShadowed("H", 200, 0, 0x00000000, 0xFFFFFFFF);
    EXPECT_TRUE(Near(At(100, 100), {255, 255, 255}, 0));
    EXPECT_TRUE(Near(At(107, 107), {255, 255, 255}, 0));
    EXPECT_TRUE(Near(At(108, 102), {0, 0, 0}, 0));
    EXPECT_TRUE(Near(At(109, 109), {0, 0, 0}, 0));
    EXPECT_TRUE(Near(At(102, 108), {0, 0, 0}, 0));
    EXPECT_TRUE(Near(At(110, 100), {128, 128, 128}, 0));
    EXPECT_TRUE(Near(At(108, 101), {128, 128, 128}, 0));
    EXPECT_TRUE(Near(At(200, 0), {128, 128, 128}, 0));
    EXPECT_TRUE(Near(At(202, 2), {255, 255, 255}, 0));
}

TEST_F(SpritePicture, FillRectLeavesTexturesOffUntilTheNextTextureDraw) {
    WriteSolidPng(dir.Path() / "green.png", 4, 4, 0xFF00FF00);
    WriteText(dir.Path() / "model.x", SquaresModel({Textured("green.png")}, {{0, 0, 5, 0}}));
    Mesh model(Graphics(), dir / "model.x");
    Texture green(Graphics(), dir / "green.png");
    BeginFrame(0xFF000000);
    FillRect(Device(), 0, 0, 40, 4, 0xFFFF0000);
    model.Draw({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, RotationOrder::None, 1, false);
    EXPECT_TRUE(Near(At(320, 240), {255, 255, 255}));  // the texture is ignored
    EXPECT_TRUE(Near(At(20, 2), {255, 0, 0}));

    BeginFrame(0xFF000000);
    green.Draw(600, 0, 4, 4, 0, 0, 1, 1, 0xFFFFFFFF);
    model.Draw({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, RotationOrder::None, 1, false);
    EXPECT_TRUE(Near(At(320, 240), {0, 255, 0}));
}

TEST_F(SpritePicture, QuadsKeepTheirOrderAcrossTextures) {
    WriteSolidPng(dir.Path() / "red.png", 2, 2, 0xFFFF0000);
    WriteSolidPng(dir.Path() / "blue.png", 2, 2, 0xFF0000FF);
    Texture red(Graphics(), dir / "red.png"), blue(Graphics(), dir / "blue.png");
    BeginFrame(0xFF000000);
    red.Draw(10, 10, 20, 20, 0, 0, 1, 1, 0xFFFFFFFF);
    blue.Draw(15, 10, 20, 20, 0, 0, 1, 1, 0xFFFFFFFF);
    red.Draw(20, 10, 20, 20, 0, 0, 1, 1, 0xFFFFFFFF);
    EXPECT_TRUE(Near(At(12, 15), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(At(17, 15), {0, 0, 255}, 0));
    EXPECT_TRUE(Near(At(25, 15), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(At(37, 15), {255, 0, 0}, 0));
}

TEST_F(SpritePicture, AMissingImageDrawsTheQuadInItsVertexColour) {
    Texture missing(Graphics(), dir / "nowhere.png");
    BeginFrame(0xFF000000);
    missing.Draw(10, 10, 8, 8, 0, 0, 1, 1, 0xFF00FF00);
    EXPECT_TRUE(Near(At(12, 12), {0, 255, 0}, 0));
}

TEST_F(SpritePicture, AVideoTextureIsOpaqueWhateverTheFourthByteOfItsTexelsHolds) {
    auto video = Device()->CreateDynamicTexture(2, 2, TextureFormat::X8R8G8B8);
    const uint32_t rows[4] = {0x00FF0000, 0x00FF0000, 0x0000FF00, 0x0000FF00};
    video->Upload(rows, 8);
    BeginFrame(0xFF000000);
    Device()->SetTexture(video.get());
    DrawQuad(Device(), 0, 0, 16, 16, 0, 0, 1, 1, 0xFFFFFFFF);
    EXPECT_TRUE(Near(At(4, 4), {255, 0, 0}, 0));  // the alpha test would drop a clear texel
    EXPECT_TRUE(Near(At(4, 12), {0, 255, 0}, 0));
}
