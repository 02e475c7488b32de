// Texture names as exporters write them resolve to files beside the model.
#include <gtest/gtest.h>

#include <fstream>

#include "app/HeadlessPlatform.h"
#include "graphics/Mesh.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "render/TestAssets.h"

namespace {

// An uncompressed 24-bit TGA of one colour, rows from the top.
void WriteTga(const std::filesystem::path& path, int width, int height) {
    std::string bytes(18, '\0');
    bytes[2] = 2;
    bytes[12] = char(width);
    bytes[14] = char(height);
    bytes[16] = 24;
    bytes[17] = 0x20;
    bytes.append(size_t(width) * height * 3, '\x7F');
    std::ofstream(path, std::ios::binary) << bytes;
}

int Width(const Mesh& mesh, uint32_t subset) {
    const GpuTexture* t = mesh.GetTexture(subset);
    return t ? t->Width() : 0;
}

}  // namespace

TEST(TexturePaths, WindowsPathsResolveBesideTheModelInAnyCase) {
    TempDir dir("texture_paths");
    std::filesystem::create_directories(dir.Path() / "sub");
    WriteTga(dir.Path() / "top.tga", 3, 2);
    WriteSolidPng(dir.Path() / "sub" / "SIDE.png", 5, 5, 0xFF00FF00);
    WriteSolidPng(dir.Path() / "side.png", 7, 7, 0xFF00FF00);
    WriteSolidPng(dir.Path() / "front.png", 4, 4, 0xFF0000FF);
    WriteText(dir.Path() / "model.x",
              SquaresModel({Textured("C:\\x\\y\\Top.TGA"), Textured(".\\sub\\side.png"),
                            Textured("tex\\front.png"), Textured("\\\\server\\share\\gone.png")},
                           {{0, 0, 1, 0}, {3, 0, 1, 1}, {6, 0, 1, 2}, {9, 0, 1, 3}}));
    GraphicsDevice device(std::make_unique<NullBackend>(), std::make_unique<SdlImageDecoder>(), 640,
                          480);
    ASSERT_TRUE(device.ResetOrCreate());

    ::testing::internal::CaptureStderr();
    Mesh mesh(device, dir / "model.x");
    std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(mesh.MaterialCount(), 4u);
    EXPECT_EQ(Width(mesh, 0), 3);  // the file name alone, in another case
    EXPECT_EQ(Width(mesh, 1), 5);  // relative to the model before the file name alone
    EXPECT_EQ(Width(mesh, 2), 4);  // no such folder: the file name alone
    EXPECT_EQ(mesh.GetTexture(3), nullptr);
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("gone.png"), std::string::npos) << err;
}
