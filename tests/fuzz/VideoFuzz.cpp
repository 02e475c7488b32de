// libFuzzer target: opening a video file of arbitrary bytes and decoding a
// little of it. It must show a message or play, never crash, hang or leak a thread.
#include <chrono>
#include <thread>

#include "app/HeadlessPlatform.h"
#include "app/VideoErrorBoxes.h"
#include "fuzz/FuzzInput.h"
#include "video/platform/FfmpegVideoPlayer.h"

extern "C" {
#include <libavutil/log.h>
}

namespace {

GraphicsDevice& Device() {
    static GraphicsDevice* device = [] {
        av_log_set_level(AV_LOG_QUIET);
        auto* d = new GraphicsDevice(std::make_unique<NullBackend>(),
                                     std::make_unique<NullImageDecoder>(), 640, 480);
        d->ResetOrCreate();
        return d;
    }();
    return *device;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file = WriteFuzzInput("input.wmv", data, size);
    RecordingDialogs dialogs;
    VideoErrorBoxes videoErrors{dialogs};
    FfmpegVideoPlayer player(videoErrors);
    player.Build(Device(), file, false);
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    player.UploadNewestFrame();
    player.Seek(0.0);
    player.GetCurrentPosition();
    return 0;
}
