// Missing, empty, truncated, huge and garbage files load as empty objects.
#include <fstream>
#include <random>

#include <gtest/gtest.h>
#include <zlib.h>

#include "app/HeadlessPlatform.h"
#include "graphics/Mesh.h"
#include "graphics/Texture.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "render/TestAssets.h"

namespace {

struct BadFiles : ::testing::Test {
    BadFiles() {
        auto b = std::make_unique<NullBackend>();
        backend = b.get();
        device = std::make_unique<GraphicsDevice>(std::move(b), std::make_unique<SdlImageDecoder>(),
                                                  640, 480);
        device->ResetOrCreate();
    }
    void ExpectEmptyMesh(const std::string& path) {
        Mesh mesh(*device, path);
        EXPECT_EQ(mesh.MaterialCount(), 0u) << path;
        EXPECT_EQ(mesh.GetFirstTexture(), nullptr);
        int draws = backend->Count().meshDraws;
        mesh.Draw({0, 0, 0}, {1, 1, 1}, {0, 0, 0}, RotationOrder::None, 1, false);
        EXPECT_EQ(backend->Count().meshDraws, draws) << path;
    }
    void ExpectEmptyTexture(const std::string& path) {
        Texture texture(*device, path);
        EXPECT_TRUE(texture.Empty()) << path;
        EXPECT_EQ(texture.ImageWidth() + texture.ImageHeight() + texture.SurfaceWidth() +
                      texture.SurfaceHeight(),
                  0)
            << path;
    }
    void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }

    NullBackend* backend;
    std::unique_ptr<GraphicsDevice> device;
    TempDir dir{"bad_files"};
};

std::vector<unsigned char> RandomBytes(size_t n, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<unsigned char> bytes(n);
    for (auto& b : bytes)
        b = static_cast<unsigned char>(random());
    return bytes;
}

void PutBigEndian(std::vector<unsigned char>& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<unsigned char>(v >> (24 - 8 * i));
}

}  // namespace

TEST_F(BadFiles, ModelsFromTheCorpusLoadEmpty) {
    for (const char* name :
         {"empty.x", "truncated.x", "face_index_out_of_range.x", "huge_vertex_count.x",
          "plain_text.x", "binary_header_only.x", "material_list_missing_its_material.x",
          "form_feed_before_material_list.x"}) {
        ExpectEmptyMesh(std::string(VELMORA_TEST_DATA "/bad/") + name);
    }
    ExpectEmptyMesh(dir / "missing.x");
    ExpectEmptyMesh(dir.Path().string());  // a folder, not a file
}

TEST_F(BadFiles, RandomBytesLoadEmpty) {
    const std::string headers[] = {"", "xof 0303txt 0032", "xof 0303bin 0032"};
    for (unsigned seed = 1; seed <= 30; ++seed) {
        std::string base = dir / ("random" + std::to_string(seed));
        std::vector<unsigned char> x = RandomBytes(64 + seed * 37, seed);
        const std::string& header = headers[seed % 3];
        std::copy(header.begin(), header.end(), x.begin());
        WriteBytes(base + ".x", x);
        WriteBytes(base + ".png", RandomBytes(64 + seed * 37, seed + 100));
        ExpectEmptyMesh(base + ".x");
        ExpectEmptyTexture(base + ".png");
    }
}

TEST_F(BadFiles, ImagesThatAreEmptyTruncatedOrHugeLoadEmpty) {
    WriteSolidPng(dir.Path() / "good.png", 37, 19, 0xFF336699);
    Texture good(*device, dir / "good.png");
    EXPECT_EQ(good.ImageWidth(), 37);
    EXPECT_EQ(good.ImageHeight(), 19);
    EXPECT_EQ(good.SurfaceWidth(), 37);

    std::ifstream in(dir / "good.png", std::ios::binary);
    std::vector<unsigned char> png((std::istreambuf_iterator<char>(in)), {});
    WriteBytes(dir / "empty.png", {});
    WriteBytes(dir / "truncated.png", std::vector<unsigned char>(png.begin(), png.begin() + 40));
    // Headers that claim a square of `side` pixels, with a correct checksum:
    // 100000 is refused by the decoder, 20000 by the texture size.
    for (uint32_t side : {100000, 20000}) {
        std::vector<unsigned char> claims = png;
        PutBigEndian(claims, 16, side);
        PutBigEndian(claims, 20, side);
        PutBigEndian(claims, 29, static_cast<uint32_t>(crc32(0, &claims[12], 17)));
        WriteBytes(dir / (side == 100000 ? "huge.png" : "large.png"), claims);
    }
    for (const char* name :
         {"empty.png", "truncated.png", "huge.png", "large.png", "missing.png"}) {
        ExpectEmptyTexture(dir / name);
    }
}

TEST_F(BadFiles, AModelWhoseTextureIsBrokenStillLoadsUntextured) {
    WriteText(dir.Path() / "broken.png", "garbage");
    WriteText(dir.Path() / "model.x", SquaresModel({Textured("broken.png"), Textured("absent.png")},
                                                   {{0, 0, 1, 0}, {5, 0, 1, 1}}));
    Mesh mesh(*device, dir / "model.x");
    ASSERT_EQ(mesh.MaterialCount(), 2u);
    EXPECT_EQ(mesh.GetTexture(0), nullptr);
    EXPECT_EQ(mesh.GetTexture(1), nullptr);
    EXPECT_EQ(mesh.TriangleCount(0), 2u);
}
