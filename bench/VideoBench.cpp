// The background video's cost: a 640 x 480 wmv2 clip decoded, converted and
// uploaded at its own pace, and the whole game in play with and without video.
#include <benchmark/benchmark.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "Bot.h"
#include "app/HeadlessPlatform.h"
#include "app/VideoErrorBoxes.h"
#include "game/GameApp.h"
#include "graphics/platform/GlBackend.h"
#include "graphics/platform/GlSurface.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "video/Clips.h"
#include "video/platform/FfmpegVideoPlayer.h"

namespace {

double CpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::unique_ptr<GlBackend> OffscreenGl(benchmark::State& state) {
    std::string error;
    auto surface = CreateOffscreenSurface(error);
    if (!surface) {
        state.SkipWithError(("no offscreen OpenGL: " + error).c_str());
        return nullptr;
    }
    KeepFreedHeapBetweenFrames();  // as the game sets it
    return std::make_unique<GlBackend>(std::move(surface));
}

// Each iteration waits for the next frame of a 25 fps clip and uploads it.
// cpu_ms_per_frame: all the process's CPU per frame shown (decoding thread
// included); upload_ms: the main thread's part.
void VideoFrame640x480(benchmark::State& state) {
    TempFolder folder;
    ClipShape shape{Container::Wmv, 640, 480, 250};
    shape.moving = true;
    WriteClip(folder / "clip.wmv", shape);
    auto backend = OffscreenGl(state);
    if (!backend) return;
    GlBackend* gl = backend.get();
    GraphicsDevice device(std::move(backend), std::make_unique<NullImageDecoder>(), 640, 480);
    device.ResetOrCreate();
    RecordingDialogs dialogs;
    VideoErrorBoxes videoErrors{dialogs};
    FfmpegVideoPlayer player(videoErrors);
    player.Build(device, (folder / "clip.wmv").string(), false);

    double mainCpu = 0, longest = 0;
    const double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    for (auto _ : state) {
        for (;;) {
            const double before = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
            bool uploaded = player.UploadNewestFrame();
            if (uploaded) gl->Finish();
            const double spent = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - before;
            if (uploaded) {
                mainCpu += spent;
                longest = std::max(longest, spent);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["cpu_ms_per_frame"] =
        (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart) * 1e3 / frames;
    state.counters["upload_ms"] = mainCpu * 1e3 / frames;
    state.counters["longest_upload_ms"] = longest * 1e3;
}
BENCHMARK(VideoFrame640x480)->Iterations(200)->Unit(benchmark::kMillisecond)->UseRealTime();

std::string ProgramDir() {
    return std::filesystem::canonical("/proc/self/exe").parent_path().string() + "/";
}

long ResidentKb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * sysconf(_SC_PAGESIZE) / 1024;
}

// The headless platform on offscreen GL, with the real video player when asked.
struct BenchPlatform : HeadlessPlatform {
    BenchPlatform(benchmark::State& state, bool realVideo)
        : HeadlessPlatform(MakeOptions(state)), realVideo(realVideo) {}
    static Options MakeOptions(benchmark::State& state) {
        Options options;
        options.exeDir = ProgramDir();
        options.makeBackend = [&state]() -> std::unique_ptr<RenderBackend> {
            return OffscreenGl(state);
        };
        return options;
    }
    std::unique_ptr<VideoPlayer> CreateVideoPlayer(GraphicsDevice& device, const std::string& path,
                                                   bool withSound) override {
        if (!realVideo) return HeadlessPlatform::CreateVideoPlayer(device, path, withSound);
        auto player = std::make_unique<FfmpegVideoPlayer>(videoErrors);
        player->Build(device, path, withSound);
        return player;
    }
    bool realVideo;
    VideoErrorBoxes videoErrors{dialogs};
};

// The game in play with the shipped assets, paced at 60 frames a second like
// the real loop, the ship firing and weaving as the sim's bot plays it. Arg 1: the default video
// plays; 0: a stand-in without pictures. cpu_ms_per_frame counts every thread (the decoder's and
// the rasteriser's too); longest_frame_ms is the longest step plus draw on the main thread, to the
// finished picture, after the first frame.
void GameInPlay(benchmark::State& state) {
    BenchPlatform platform(state, state.range(0) == 1);
    GameApp app(platform);
    auto* gl = static_cast<GlBackend*>(platform.backend);
    app.StartGame();
    WeavingBot bot;
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::microseconds(16667);
    auto next = Clock::now();
    double longest = 0, first = -1;
    int late = 0;
    const double processStart = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    for (auto _ : state) {
        const auto start = Clock::now();
        platform.input->Append(bot.Play(app.Play().Field()));
        app.Update();
        app.RenderFrame();
        gl->Finish();
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        // The first frame also compiles shaders and fills textures.
        if (first < 0) {
            first = took;
        } else {
            longest = std::max(longest, took);
            late += took > 1.0 / 60;
        }
        next += period;
        std::this_thread::sleep_until(next);
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["cpu_ms_per_frame"] =
        (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - processStart) * 1e3 / frames;
    state.counters["longest_frame_ms"] = longest * 1e3;
    state.counters["first_frame_ms"] = first * 1e3;
    state.counters["frames_over_16_7ms"] = late;
    state.counters["video_texture"] = app.Video().Texture() != nullptr;
}
BENCHMARK(GameInPlay)
    ->Arg(0)
    ->Arg(1)
    ->Iterations(600)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 100 video changes through the title menu's action, each file played a
// moment; the resident memory after the first 10 and after all 100.
void HundredVideoChanges(benchmark::State& state) {
    TempFolder folder;
    ClipShape shape{Container::Avi, 640, 480, 50};
    shape.moving = true;
    WriteClip(folder / "a.avi", shape);
    shape.container = Container::Wmv;
    WriteClip(folder / "b.wmv", shape);
    BenchPlatform platform(state, true);
    GameApp app(platform);
    long afterTen = 0;
    for (auto _ : state) {
        for (int i = 0; i < 100; ++i) {
            platform.chooser.QueueAnswer((folder / (i % 2 ? "a.avi" : "b.wmv")).string());
            app.Video().ChooseVideo();
            app.Video().Restart();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            app.Video().UploadNewestFrame();
            if (i == 9) afterTen = ResidentKb();
        }
    }
    state.counters["rss_after_10_mb"] = static_cast<double>(afterTen) / 1024;
    state.counters["rss_after_100_mb"] = static_cast<double>(ResidentKb()) / 1024;
    state.counters["boxes"] = static_cast<double>(platform.dialogs.Boxes().size());
}
BENCHMARK(HundredVideoChanges)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
