// The shader does what the fixed-function values the game sets mean: every
// alpha comparison, and texture stage 0 selecting or modulating its arguments.
// The shader's source takes these numbers from the C++ enums; a mismatch
// between the two draws the wrong pixels here.
#include "GlFixture.h"
#include "graphics/Quad.h"

namespace {

class FixedFunctionPicture : public GlFixture {
protected:
    // Draws a 10 x 10 quad at (x, y) in the vertex colour, texture stage 0 set as given.
    void Square(float x, float y, uint32_t color) {
        DrawQuad(Device(), x, y, 10, 10, 0, 0, 1, 1, color);
    }
    void Stage(uint32_t colorOp, uint32_t colorArg1, uint32_t colorArg2, uint32_t alphaOp,
               uint32_t alphaArg1, uint32_t alphaArg2) {
        Device()->SetTextureStageState(TextureStageState::ColorOp, colorOp);
        Device()->SetTextureStageState(TextureStageState::ColorArg1, colorArg1);
        Device()->SetTextureStageState(TextureStageState::ColorArg2, colorArg2);
        Device()->SetTextureStageState(TextureStageState::AlphaOp, alphaOp);
        Device()->SetTextureStageState(TextureStageState::AlphaArg1, alphaArg1);
        Device()->SetTextureStageState(TextureStageState::AlphaArg2, alphaArg2);
    }
};

// x * y of two 0..255 channels, as the blend rounds it.
int Times(int x, int y) {
    return (x * y + 127) / 255;
}

}  // namespace

TEST_F(FixedFunctionPicture, EachAlphaFunctionPassesTheAlphasItNames) {
    struct Case {
        uint32_t function;
        bool below, equal, above;  // passes 0x3F, 0x40, 0x41 against the reference 0x40
    };
    const Case cases[] = {
        {kCmpNever, false, false, false},      {kCmpLess, true, false, false},
        {kCmpEqual, false, true, false},       {kCmpLessEqual, true, true, false},
        {kCmpGreater, false, false, true},     {kCmpNotEqual, true, false, true},
        {kCmpGreaterEqual, false, true, true}, {kCmpAlways, true, true, true},
    };
    BeginFrame(0xFF000000);
    Device()->SetTexture(nullptr);
    Device()->SetRenderState(RenderState::AlphaBlendEnable, 0);
    Device()->SetRenderState(RenderState::AlphaTestEnable, 1);
    Device()->SetRenderState(RenderState::AlphaRef, 0x40);
    Stage(kTopSelectArg2, kTaTexture, kTaDiffuse, kTopSelectArg2, kTaTexture, kTaDiffuse);
    for (size_t i = 0; i < std::size(cases); ++i) {
        Device()->SetRenderState(RenderState::AlphaFunc, cases[i].function);
        const float y = 20.0f * static_cast<float>(i);
        Square(0, y, 0x3FFFFFFF);
        Square(20, y, 0x40FFFFFF);
        Square(40, y, 0x41FFFFFF);
    }
    for (size_t i = 0; i < std::size(cases); ++i) {
        const int y = 20 * static_cast<int>(i) + 5;
        EXPECT_EQ(At(5, y).r == 255, cases[i].below) << "function " << cases[i].function;
        EXPECT_EQ(At(25, y).r == 255, cases[i].equal) << "function " << cases[i].function;
        EXPECT_EQ(At(45, y).r == 255, cases[i].above) << "function " << cases[i].function;
    }
    // Switched off, the test passes everything whatever the function says.
    BeginFrame(0xFF000000);
    Device()->SetRenderState(RenderState::AlphaTestEnable, 0);
    Device()->SetRenderState(RenderState::AlphaFunc, kCmpNever);
    Square(0, 0, 0x00FFFFFF);
    EXPECT_EQ(At(5, 5).r, 255);
}

TEST_F(FixedFunctionPicture, TextureStageSelectsOrModulatesTheArgumentsItIsGiven) {
    const int tr = 0x80, tg = 0xFF, tb = 0x40, ta = 0xC0;  // the texel
    const int vr = 0xFF, vg = 0x40, vb = 0x80, va = 0x60;  // the vertex colour
    const uint32_t texel = static_cast<uint32_t>(ta << 24 | tr << 16 | tg << 8 | tb);
    const uint32_t vertex = static_cast<uint32_t>(va << 24 | vr << 16 | vg << 8 | vb);
    auto texture = Device()->CreateTexture(1, 1, &texel);
    struct Case {
        uint32_t op, arg1, arg2;
        Rgb colour;
        int alpha;
    };
    const Case cases[] = {
        {kTopSelectArg1, kTaTexture, kTaDiffuse, {tr, tg, tb}, ta},
        {kTopSelectArg2, kTaTexture, kTaDiffuse, {vr, vg, vb}, va},
        {kTopSelectArg1, kTaCurrent, kTaTexture, {vr, vg, vb}, va},
        {kTopModulate,
         kTaTexture,
         kTaDiffuse,
         {Times(tr, vr), Times(tg, vg), Times(tb, vb)},
         Times(ta, va)},
        {kTopModulate,
         kTaTexture,
         kTaTexture,
         {Times(tr, tr), Times(tg, tg), Times(tb, tb)},
         Times(ta, ta)},
    };
    BeginFrame(0xFF000000);
    Device()->SetTexture(texture.get());
    Device()->SetRenderState(RenderState::AlphaBlendEnable, 0);
    Device()->SetRenderState(RenderState::AlphaTestEnable, 0);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const float y = 20.0f * static_cast<float>(i);
        // The colour as the stage makes it, the alpha as the vertex's...
        Stage(c.op, c.arg1, c.arg2, kTopSelectArg1, kTaDiffuse, kTaTexture);
        Square(0, y, vertex | 0xFF000000u);
        // ...and the alpha as the stage makes it, shown as white blended over black.
        Device()->SetRenderState(RenderState::AlphaBlendEnable, 1);
        Device()->SetRenderState(RenderState::SrcBlend, kBlendSrcAlpha);
        Device()->SetRenderState(RenderState::DestBlend, kBlendInvSrcAlpha);
        Stage(kTopSelectArg1, kTaDiffuse, kTaTexture, c.op, c.arg1, c.arg2);
        Square(20, y, (vertex & 0xFF000000u) | 0x00FFFFFFu);
        Device()->SetRenderState(RenderState::AlphaBlendEnable, 0);
    }
    for (size_t i = 0; i < std::size(cases); ++i) {
        const int y = 20 * static_cast<int>(i) + 5;
        EXPECT_TRUE(Near(At(5, y), cases[i].colour, 1)) << "case " << i;
        const int a = cases[i].alpha;
        EXPECT_TRUE(Near(At(25, y), {a, a, a}, 1)) << "case " << i;
    }
    // Without a texture its slot reads as opaque white.
    BeginFrame(0xFF000000);
    Device()->SetTexture(nullptr);
    Stage(kTopModulate, kTaTexture, kTaDiffuse, kTopSelectArg1, kTaTexture, kTaDiffuse);
    Square(0, 0, vertex);
    EXPECT_TRUE(Near(At(5, 5), {vr, vg, vb}, 0));
}

// The compiler's built-in functions are let go once no program was built for a
// while; a state drawn for the first time after that still gets its program.
TEST_F(FixedFunctionPicture, AStateFirstDrawnLongAfterTheOthersStillDraws) {
    BeginFrame(0xFF000000);
    Device()->SetTexture(nullptr);
    Stage(kTopSelectArg2, kTaTexture, kTaDiffuse, kTopSelectArg2, kTaTexture, kTaDiffuse);
    Square(0, 0, 0xFFFF0000);
    EXPECT_TRUE(Near(At(5, 5), {255, 0, 0}, 0));
    for (int frame = 0; frame < 300; ++frame)
        Graphics().Present();
    BeginFrame(0xFF000000);
    Device()->SetRenderState(RenderState::AlphaTestEnable, 1);
    Device()->SetRenderState(RenderState::AlphaFunc, kCmpNotEqual);
    Device()->SetRenderState(RenderState::AlphaRef, 0x80);
    Square(0, 0, 0x800000FF);
    Square(20, 0, 0xFF0000FF);
    EXPECT_TRUE(Near(At(5, 5), {0, 0, 0}, 0));
    EXPECT_TRUE(Near(At(25, 5), {0, 0, 255}, 0));
}
