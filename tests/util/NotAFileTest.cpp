// Every loader refuses a FIFO, a device or a folder in its file's place at
// once, with a line on stderr, instead of waiting on it or reading forever.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "app/HeadlessPlatform.h"
#include "app/VideoErrorBoxes.h"
#include "audio/DiskOutput.h"
#include "audio/platform/FluidMusic.h"
#include "audio/platform/MixerSounds.h"
#include "game/HighScoreFile.h"
#include "graphics/Mesh.h"
#include "graphics/Texture.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "media/MediaFiles.h"
#include "script/StageScript.h"
#include "support/SilentStageHost.h"
#include "support/TempDir.h"
#include "util/TextFile.h"
#include "video/platform/FfmpegVideoPlayer.h"
#include "world/DigitCounter.h"

namespace {

// Opens the FIFO for writing now and then, which lets a reader stuck in
// open() go on, so a loader that waits fails the test instead of hanging it.
class Unblocker {
public:
    explicit Unblocker(std::string fifo)
        : thread([this, fifo] {
              while (!stop) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(200));
                  int fd = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
                  if (fd < 0) continue;
                  ++released;
                  close(fd);
              }
          }) {}
    ~Unblocker() {
        stop = true;
        thread.join();
    }
    std::atomic<int> released{0};

private:
    std::atomic<bool> stop{false};
    std::thread thread;
};

}  // namespace

TEST(NotAFile, EveryLoaderRefusesAFifoADeviceOrAFolderAtOnce) {
    DiskOutput out;
    TempDir dir("not_a_file");
    std::string fifo = dir / "fifo", folder = dir / "folder";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_directory(folder);
    Unblocker unblocker(fifo);

    auto mixer = std::make_shared<Mixer>();
    MixerSounds sounds(mixer);
    FluidMusic music(mixer, FluidMusic::kSoundFont);
    GraphicsDevice device(std::make_unique<NullBackend>(), std::make_unique<SdlImageDecoder>(), 640,
                          480);
    device.ResetOrCreate();
    RecordingDialogs dialogs;
    VideoErrorBoxes videoErrors{dialogs};
    SilentStageHost host;
    for (const std::string& path : {fifo, folder, std::string("/dev/zero")}) {
        auto start = std::chrono::steady_clock::now();
        testing::internal::CaptureStderr();
        EXPECT_EQ(sounds.Load(path), 0);
        EXPECT_FALSE(music.Open(path));
        FfmpegVideoPlayer video(videoErrors);
        EXPECT_NE(video.Build(device, path, false), 0u);
        EXPECT_EQ(Mesh(device, path).MaterialCount(), 0u);
        EXPECT_TRUE(Texture(device, path).Empty());
        EXPECT_EQ(StageScript(path, media_files::Dir().string() + "/", host).Count(), 0);
        DigitCounter score(12);
        HighScoreFile(path, "").Read(score);
        EXPECT_EQ(score.Text(), "000000000000");
        std::string said = testing::internal::GetCapturedStderr();
        std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(took.count(), 1.0) << path;
        EXPECT_NE(said.find("not a regular file"), std::string::npos) << said;
    }
    EXPECT_EQ(unblocker.released.load(), 0);
}
