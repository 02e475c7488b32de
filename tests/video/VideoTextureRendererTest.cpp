#include <gtest/gtest.h>

#include <cstring>

#include "app/HeadlessPlatform.h"
#include "app/VideoErrorBoxes.h"
#include "video/FrameConversion.h"
#include "video/VideoResult.h"
#include "video/VideoTextureRenderer.h"

using namespace video_result;

namespace {

// A frame of 24-bit BGR rows where pixel (x, y) is (x, y, x + y), padded to the pitch.
std::vector<uint8_t> Ramp(int width, int height) {
    std::vector<uint8_t> frame(static_cast<size_t>(VideoPitch(width)) * height, 0xEE);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &frame[static_cast<size_t>(y) * VideoPitch(width) + 3 * x];
            p[0] = static_cast<uint8_t>(x);
            p[1] = static_cast<uint8_t>(y);
            p[2] = static_cast<uint8_t>(x + y);
        }
    }
    return frame;
}

uint32_t Texel32(const std::vector<uint8_t>& pixels, int width, int x, int y) {
    uint32_t v;
    std::memcpy(&v, &pixels[(static_cast<size_t>(y) * width + x) * 4], 4);
    return v;
}

struct Renderer : ::testing::Test {
    Renderer() { renderer.SetDevice(&device); }
    MediaType Rgb24(int width, int height) {
        return MediaType{MajorType::Video, MediaSubtype::Rgb24, FormatType::VideoInfo, width,
                         height};
    }
    const NullTexture& Texture() { return *static_cast<const NullTexture*>(renderer.GetTexture()); }

    NullBackend device;
    RecordingDialogs dialogs;
    VideoErrorBoxes videoErrors{dialogs};
    VideoTextureRenderer renderer{videoErrors};
};

}  // namespace

TEST(FrameConversion, GroupsOfFourAndTheRestGiveEveryPixelExactly) {
    for (int width : {321, 3, 4, 7}) {
        const int height = 2;
        std::vector<uint8_t> frame = Ramp(width, height);
        std::vector<uint8_t> out(static_cast<size_t>(width) * height * 4);
        ConvertToX8R8G8B8(frame.data(), VideoPitch(width), width, height, out.data(), width * 4);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint32_t expected = 0xFF000000u | (uint32_t{uint8_t(x + y)} << 16) |
                                    (uint32_t{uint8_t(y)} << 8) | uint8_t(x);
                ASSERT_EQ(Texel32(out, width, x, y), expected) << width << " wide at " << x;
            }
        }
    }
}

TEST_F(Renderer, ATopDownFrameKeepsItsRowsInBufferOrder) {
    ASSERT_EQ(renderer.SetMediaType(Rgb24(321, -3)), kOk);
    EXPECT_EQ(renderer.VideoHeight(), 3);
    EXPECT_EQ(renderer.VideoPitch(), 964);
    EXPECT_EQ(Texture().Format(), TextureFormat::X8R8G8B8);
    std::vector<uint8_t> frame = Ramp(321, 3);
    EXPECT_EQ(renderer.DoRenderSample(frame), kOk);
    EXPECT_EQ(Texture().Uploads(), 0);  // nothing reaches the texture until the main thread asks
    EXPECT_TRUE(renderer.UploadNewestFrame());
    EXPECT_FALSE(renderer.UploadNewestFrame());
    EXPECT_EQ(Texture().Uploads(), 1);
    EXPECT_EQ(Texel32(Texture().Pixels(), 321, 320, 2), 0xFF420240u);
    EXPECT_EQ(Texel32(Texture().Pixels(), 321, 0, 0), 0xFF000000u);
}

TEST_F(Renderer, OnlyTheNewestOfSeveralFramesIsUploaded) {
    ASSERT_EQ(renderer.SetMediaType(Rgb24(2, 1)), kOk);
    for (uint8_t blue : {1, 2, 3}) {
        std::vector<uint8_t> frame = {blue, 0, 0, blue, 0, 0, 0, 0};
        renderer.DoRenderSample(frame);
    }
    renderer.UploadNewestFrame();
    EXPECT_EQ(Texture().Uploads(), 1);
    EXPECT_EQ(Texel32(Texture().Pixels(), 2, 1, 0), 0xFF000003u);
}

TEST_F(Renderer, RefusesWhatItCannotHoldWithItsMessage) {
    std::vector<uint8_t> frame(64);
    EXPECT_EQ(renderer.DoRenderSample(frame), kUnexpected);  // no texture yet
    EXPECT_EQ(renderer.DoRenderSample({}), kPointer);

    EXPECT_EQ(renderer.SetMediaType(Rgb24(4097, 16)), kInvalidCall);
    EXPECT_EQ(renderer.SetMediaType(Rgb24(0, 0)), kInvalidCall);
    EXPECT_EQ(renderer.GetTexture(), nullptr);
    EXPECT_EQ(device.Count().textures, 0);  // refused before anything was made
    const auto& boxes = dialogs.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Could not create the D3DX texture!  hr=0x8876086c");
    EXPECT_EQ(boxes[0].caption, "DirectShow CaptureTex9 Sample");
    EXPECT_EQ(boxes[0].icon, DialogIcon::Error);
}
