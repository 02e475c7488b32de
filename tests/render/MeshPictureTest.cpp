// What a player would see go wrong: models in the wrong place, turned the wrong
// way, lit wrongly, blended wrongly, or textured wrongly.
#include "GlFixture.h"
#include "TestAssets.h"
#include "graphics/Mesh.h"
#include "graphics/Texture.h"

namespace {

class MeshPicture : public GlFixture {
protected:
    Mesh& Load(const std::string& name, const std::string& x) {
        WriteText(dir.Path() / name, x);
        meshes.push_back(std::make_unique<Mesh>(Graphics(), dir / name));
        return *meshes.back();
    }
    void TearDown() override { meshes.clear(); }

    TempDir dir{"mesh_picture"};
    std::vector<std::unique_ptr<Mesh>> meshes;
};

const glm::vec3 kUnit{1, 1, 1};
const glm::vec3 kNoTurn{0, 0, 0};

}  // namespace

TEST_F(MeshPicture, FieldCornersMapToTheViewportCorners) {
    Mesh& square = Load("square.x", SquaresModel({Colour(1, 1, 1, 1)}, {{0, 0, 1, 0}}));
    BeginFrame(0xFF000000);
    square.Draw({49, 0, 49}, kUnit, kNoTurn, RotationOrder::None, 1, false);
    square.Draw({-49, 0, -49}, kUnit, kNoTurn, RotationOrder::None, 1, false);
    // x 48..50 is pixels 627..639; z 48..50 is rows 0..9 from the top.
    EXPECT_GT(At(636, 3).r, 200);
    EXPECT_GT(At(639, 0).r, 200);
    EXPECT_EQ(At(620, 3).r, 0);
    EXPECT_EQ(At(636, 12).r, 0);
    EXPECT_GT(At(3, 476).r, 200);
    EXPECT_GT(At(0, 479).r, 200);
    EXPECT_EQ(At(3, 466).r, 0);
    EXPECT_EQ(At(320, 240).r, 0);
}

TEST_F(MeshPicture, RotationOrdersTurnAboutTheListedAxesOnly) {
    // A bar 2 wide, 1 high and 10 long: 48 rows tall on screen, or 5 when laid on its side.
    Mesh& bar = Load("bar.x", BoxModel(1, 0.5f, 5, Colour(1, 1, 1)));
    auto rowsLit = [this](int x) {
        int rows = 0;
        for (int y = 0; y < 480; ++y)
            rows += At(x, y).r > 100;
        return rows;
    };
    BeginFrame(0xFF000000);
    bar.Draw({-20, 0, 0}, kUnit, {0.25f, 0, 0}, RotationOrder::XYZ, 1, false);
    bar.Draw({20, 0, 0}, kUnit, {0.25f, 0.3f, 0.1f}, RotationOrder::None, 1, false);
    EXPECT_NEAR(rowsLit(192), 5, 1);    // order 10 with a quarter turn about X
    EXPECT_NEAR(rowsLit(448), 48, 1);   // order 0: no rotation whatever the angles
    EXPECT_EQ(At(448 + 10, 240).r, 0);  // and still 2 units (13 px) wide
}

TEST_F(MeshPicture, LightComesFromTheCameraSideAndAmbientLightsTheDiffuseColour) {
    // Diffuse (0.5, 0, 0): 0.5 × (ambient 0x6F + N·L) with N·L = 1/√3 for a face toward the camera.
    std::vector<XSquare> squares = {{-30, 0, 5, 0}, {0, 0, 5, 0, -1, 0, 0}, {30, 0, 5, 0}};
    Mesh& squaresModel = Load("lit.x", SquaresModel({Colour(0.5f, 0, 0, 1)}, squares));
    BeginFrame(0xFF000000);
    squaresModel.Draw(kNoTurn, kUnit, kNoTurn, RotationOrder::None, 1, false);
    const float ambient = 111.0f / 255.0f, facing = 0.57735f;
    EXPECT_TRUE(Near(At(128, 240), {int(255 * 0.5f * (ambient + facing) + 0.5f), 0, 0}));
    // A normal turned away from the light (-x) gets the ambient term only.
    EXPECT_TRUE(Near(At(320, 240), {int(255 * 0.5f * ambient + 0.5f), 0, 0}));

    // Scaled twice as large, normals grow shorter and the light weaker: they are not re-normalised.
    Mesh& single = Load("single.x", SquaresModel({Colour(0.5f, 0, 0)}, {{0, 0, 5, 0}}));
    BeginFrame(0xFF000000);
    single.Draw(kNoTurn, {2, 2, 2}, kNoTurn, RotationOrder::None, 1, false);
    EXPECT_TRUE(Near(At(320, 240), {int(255 * 0.5f * (ambient + facing / 2) + 0.5f), 0, 0}));
}

TEST_F(MeshPicture, AlphaHalvesTheMaterialAndBlendsOverTheBackground) {
    Mesh& red = Load("red.x", SquaresModel({Colour(1, 0, 0, 1)}, {{0, 0, 10, 0}}));
    BeginFrame(0xFF0000FF);
    red.Draw(kNoTurn, kUnit, kNoTurn, RotationOrder::None, 0.5f, false);
    EXPECT_TRUE(Near(At(320, 240), {128, 0, 128}));
}

TEST_F(MeshPicture, AnAdditiveBlendStaysSetForTheNextTransformedDraw) {
    Mesh& grey = Load("grey.x", SquaresModel({Colour(0.25f, 0.25f, 0.25f, 1)}, {{0, 0, 5, 0}}));
    Mesh& red = Load("red.x", SquaresModel({Colour(0.5f, 0, 0, 1)}, {{0, 0, 5, 0}}));
    BeginFrame(0xFF404040);
    grey.Draw({-20, 0, 0}, kUnit, kNoTurn, RotationOrder::None, 1, true);
    red.SetColors({1, 1, 1, 1}, {0, 0, 0, 0});
    red.DrawTransformed({20, 0, 0}, kUnit, kNoTurn, RotationOrder::None);
    int lit = int(255 * 0.5f * (111.0f / 255.0f + 0.57735f) + 0.5f);
    EXPECT_TRUE(Near(At(448, 240), {0x40 + lit, 0x40, 0x40}));

    BeginFrame(0xFF404040);
    grey.Draw({-20, 0, 0}, kUnit, kNoTurn, RotationOrder::None, 1, false);
    red.DrawTransformed({20, 0, 0}, kUnit, kNoTurn, RotationOrder::None);
    EXPECT_TRUE(Near(At(448, 240), {lit, 0, 0}));
}

TEST_F(MeshPicture, ThreeMaterialsWithOneUntexturedSubset) {
    WriteSolidPng(dir.Path() / "green.png", 4, 4, 0xFF00FF00);
    WriteSolidPng(dir.Path() / "blue.png", 4, 4, 0xFF0000FF);
    Mesh& model =
        Load("three.x", SquaresModel({Textured("green.png"), Colour(1, 0, 0), Textured("blue.png")},
                                     {{-20, 0, 5, 0}, {0, 0, 5, 1}, {20, 0, 5, 2}}));
    ASSERT_EQ(model.MaterialCount(), 3u);
    EXPECT_NE(model.GetTexture(0), nullptr);
    EXPECT_EQ(model.GetTexture(1), nullptr);
    BeginFrame(0xFF000000);
    model.Draw(kNoTurn, kUnit, kNoTurn, RotationOrder::None, 1, false);
    EXPECT_TRUE(Near(At(192, 240), {0, 255, 0}));
    EXPECT_TRUE(Near(At(320, 240), {255, 0, 0}));
    EXPECT_TRUE(Near(At(448, 240), {0, 0, 255}));

    // The video takes the textured slots only.
    WriteSolidPng(dir.Path() / "yellow.png", 4, 4, 0xFFFFFF00);
    Texture yellow(Graphics(), dir / "yellow.png");
    model.ReplaceTextures(yellow.Get());
    EXPECT_EQ(model.GetFirstTexture(), yellow.Get());
    EXPECT_EQ(model.GetTexture(1), nullptr);
    BeginFrame(0xFF000000);
    model.Draw(kNoTurn, kUnit, kNoTurn, RotationOrder::None, 1, false);
    EXPECT_TRUE(Near(At(192, 240), {255, 255, 0}));
    EXPECT_TRUE(Near(At(320, 240), {255, 0, 0}));
    EXPECT_TRUE(Near(At(448, 240), {255, 255, 0}));

    model.RestoreTextures();
    BeginFrame(0xFF000000);
    model.Draw(kNoTurn, kUnit, kNoTurn, RotationOrder::None, 1, false);
    EXPECT_TRUE(Near(At(192, 240), {0, 255, 0}));
    EXPECT_TRUE(Near(At(448, 240), {0, 0, 255}));
}

// A clear texel that still wrote depth would hide what is drawn behind it later.
TEST_F(MeshPicture, TexelsWithAlphaZeroAreDiscardedAndHideNothingBehind) {
    std::vector<uint32_t> halves(8 * 8);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x)
            halves[y * 8 + x] = x < 4 ? 0x00FFFFFF : 0xFFFFFFFF;
    }
    WritePng(dir.Path() / "halves.png", 8, 8, halves);
    Mesh& model = Load("halves.x", SquaresModel({Textured("halves.png")}, {{0, 0, 10, 0}}));
    Mesh& red = Load("red.x", SquaresModel({Colour(1, 0, 0)}, {{0, 0, 5, 0}}));
    BeginFrame(0xFF203040);
    model.Draw(kNoTurn, kUnit, kNoTurn, RotationOrder::None, 1, false);
    EXPECT_TRUE(Near(At(300, 240), {0x20, 0x30, 0x40}));
    EXPECT_TRUE(Near(At(340, 240), {255, 255, 255}));
    red.Draw({0, -10, 0}, kUnit, kNoTurn, RotationOrder::None, 1, false);
    Snapshot();
    EXPECT_TRUE(Near(At(300, 240), {255, 0, 0}));
    EXPECT_TRUE(Near(At(340, 240), {255, 255, 255}));
}

TEST_F(MeshPicture, FacesWoundCounterClockwiseOnScreenAreCulled) {
    // Seen from below, the square's clockwise corners turn counter-clockwise.
    Mesh& square = Load("square.x", SquaresModel({Colour(1, 1, 1, 1)}, {{0, 0, 5, 0}}));
    BeginFrame(0xFF000000);
    square.Draw({-20, 0, 0}, kUnit, kNoTurn, RotationOrder::None, 1, false);
    square.Draw({20, 0, 0}, kUnit, {0.5f, 0, 0}, RotationOrder::X, 1, false);
    EXPECT_GT(At(192, 240).r, 200);
    EXPECT_EQ(At(448, 240).r, 0);
}

TEST_F(MeshPicture, RepeatedDrawsOfOneModelKeepTheirOrderAndTheirOwnColours) {
    // Three draws of a model of two materials go to GL as one instanced draw; it
    // must look like the six ranges drawn one after the other.
    Mesh& square = Load("square.x", SquaresModel({Colour(1, 1, 1), Colour(0.5f, 0.5f, 0.5f)},
                                                 {{0, 0, 4, 0}, {0, 10, 4, 1}}));
    BeginFrame(0xFF000000);
    const long before = gl->GlDrawCalls();
    SetBlendMode(Device(), false);
    square.SetColors({1, 0, 0, 1}, {0, 0, 0, 0});
    square.DrawTransformed({-4, 0, 0}, kUnit, kNoTurn, RotationOrder::None);
    square.SetColors({0, 1, 0, 1}, {0, 0, 0, 0});
    square.DrawTransformed({0, 0, 0}, kUnit, kNoTurn, RotationOrder::None);
    square.SetColors({0, 0, 1, 0.5f}, {0, 0, 0, 0});
    square.DrawTransformed({4, 0, 0}, kUnit, kNoTurn, RotationOrder::None);
    EXPECT_TRUE(Near(At(320 - 45, 240), {255, 0, 0}));  // red alone
    EXPECT_EQ(gl->GlDrawCalls() - before, 1);
    EXPECT_TRUE(Near(At(320 - 19, 240), {0, 255, 0}));    // green over red
    EXPECT_TRUE(Near(At(320 + 19, 240), {0, 128, 128}));  // half blue over green
    EXPECT_TRUE(Near(At(320 + 45, 240), {0, 0, 128}));    // half blue over black
    // The second material's squares, 48 pixels higher, take their own colour.
    EXPECT_TRUE(Near(At(320 - 45, 192), {128, 0, 0}));
    EXPECT_TRUE(Near(At(320 - 19, 192), {0, 128, 0}));
    EXPECT_TRUE(Near(At(320 + 45, 192), {0, 0, 64}));
}
