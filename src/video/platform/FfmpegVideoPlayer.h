#pragma once
// The background video on FFmpeg: Build opens the file, connects its picture
// to the texture renderer (and its sound to the mixer when asked) and starts
// the decoding thread. A failed step is shown in an error box; the player then
// stays as far as it got and its operations do nothing.
#include <memory>
#include <string>

#include "graphics/GraphicsDevice.h"
#include "video/VideoPlayer.h"
#include "video/VideoTextureRenderer.h"
#include "video/platform/VideoDecoder.h"

class FfmpegVideoPlayer : public VideoPlayer {
public:
    explicit FfmpegVideoPlayer(VideoErrors& errors) : errors(errors), renderer(errors) {}
    ~FfmpegVideoPlayer() override { ReleaseGraph(); }

    // A result code; the player runs when it succeeds.
    uint32_t Build(GraphicsDevice& device, const std::string& path, bool withSound);

    void Run() override;
    void Stop() override;
    void Seek(double seconds) override;
    double GetCurrentPosition() override;
    double GetStopTime() override;
    const GpuTexture* GetTexture() const override;
    bool UploadNewestFrame() override;
    void ReleaseGraph() override { decoder.reset(); }

private:
    uint32_t ConnectPicture(AVFormatContext* format, MediaStream& video);

    VideoErrors& errors;
    VideoTextureRenderer renderer;
    std::unique_ptr<VideoDecoder> decoder;
    bool textureTaken = false;
};
