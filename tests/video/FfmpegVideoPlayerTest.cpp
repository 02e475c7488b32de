// The FFmpeg player on clips made at test time: all three containers, its
// clock, the loop, video sound through the disk audio driver, and bad files.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "app/HeadlessPlatform.h"
#include "app/VideoErrorBoxes.h"
#include "video/Clips.h"
#include "video/VideoResult.h"
#include "video/platform/FfmpegVideoPlayer.h"

using namespace video_result;
using namespace std::chrono_literals;

namespace {

// Waits for the condition, generously: the machine may be busy.
bool Eventually(const std::function<bool()>& condition) {
    for (int i = 0; i < 1000; ++i) {
        if (condition()) return true;
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

int Threads() {
    int n = 0;
    for ([[maybe_unused]] auto& t : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

// The threads once the count has settled: Linux may list a thread in
// /proc/self/task for a moment after pthread_join has returned.
int SettledThreads() {
    int last = Threads();
    for (int i = 0; i < 100; ++i) {
        std::this_thread::sleep_for(20ms);
        int now = Threads();
        if (now == last) return now;
        last = now;
    }
    return last;
}

uint32_t CentreTexel(const GpuTexture* texture) {
    const auto& pixels = static_cast<const NullTexture*>(texture)->Pixels();
    const size_t at =
        (static_cast<size_t>(texture->Height() / 2) * texture->Width() + texture->Width() / 2) * 4;
    uint32_t v = 0;
    std::memcpy(&v, &pixels.at(at), 4);
    return v;
}

bool NearColour(uint32_t argb, int r, int g, int b) {
    auto close = [](int a, int e) { return std::abs(a - e) <= 16; };
    return close((argb >> 16) & 0xFF, r) && close((argb >> 8) & 0xFF, g) && close(argb & 0xFF, b);
}

class Player : public ::testing::Test {
protected:
    Player() { device.ResetOrCreate(); }

    std::unique_ptr<FfmpegVideoPlayer> Build(const std::filesystem::path& file,
                                             bool withSound = false) {
        auto player = std::make_unique<FfmpegVideoPlayer>(videoErrors);
        lastResult = player->Build(device, file.string(), withSound);
        return player;
    }
    std::filesystem::path Clip(const std::string& name, const ClipShape& shape) {
        auto file = folder / name;
        EXPECT_TRUE(WriteClip(file, shape)) << name;
        return file;
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& box : dialogs.Boxes())
            texts.push_back(box.text);
        return texts;
    }
    // Uploads until a frame arrives; its centre texel.
    static std::optional<uint32_t> NextFrame(FfmpegVideoPlayer& player) {
        auto* texture = static_cast<const NullTexture*>(player.GetTexture());
        if (!texture) return std::nullopt;
        const int before = texture->Uploads();
        if (!Eventually([&] {
                player.UploadNewestFrame();
                return texture->Uploads() > before;
            })) {
            return std::nullopt;
        }
        return CentreTexel(texture);
    }

    TempFolder folder;
    RecordingDialogs dialogs;
    VideoErrorBoxes videoErrors{dialogs};
    GraphicsDevice device{std::make_unique<NullBackend>(), std::make_unique<NullImageDecoder>(),
                          640, 480};
    uint32_t lastResult = kFail;
};

}  // namespace

TEST_F(Player, DecodesEachContainerIntoATextureOfTheVideosSize) {
    const struct {
        Container container;
        const char* name;
    } cases[] = {
        {Container::Wmv, "clip.wmv"}, {Container::Avi, "clip.avi"}, {Container::Mpg, "clip.mpg"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto player = Build(Clip(c.name, {c.container, 80, 48, 25, 200, 40, 40}));
        EXPECT_EQ(lastResult, kOk);
        ASSERT_NE(player->GetTexture(), nullptr);
        EXPECT_EQ(player->GetTexture()->Width(), 80);
        EXPECT_EQ(player->GetTexture()->Height(), 48);
        auto texel = NextFrame(*player);
        ASSERT_TRUE(texel);
        EXPECT_TRUE(NearColour(*texel, 200, 40, 40)) << std::hex << *texel;
        // A tiny .mpg states a length far too short; its data decides.
        EXPECT_TRUE(Eventually([&] { return std::abs(player->GetStopTime() - 1.0) < 0.1; }))
            << player->GetStopTime();
    }
    EXPECT_TRUE(dialogs.Boxes().empty());
}

TEST_F(Player, RunsOnItsOwnClockUnderStopSeekAndRunAndStaysAtItsEndUntilRestarted) {
    auto player = Build(Clip("clip.avi", {Container::Avi, 32, 32, 25, 0, 0, 255}));
    ASSERT_EQ(lastResult, kOk);
    ASSERT_TRUE(Eventually([&] { return player->GetCurrentPosition() > 0.2; }));
    player->Stop();
    const double held = player->GetCurrentPosition();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(player->GetCurrentPosition(), held);
    player->Seek(0.0);
    EXPECT_EQ(player->GetCurrentPosition(), 0.0);
    player->Run();
    const double end = player->GetStopTime();
    EXPECT_NEAR(end, 1.0, 0.1);
    ASSERT_TRUE(Eventually([&] { return player->GetCurrentPosition() >= end; }));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(player->GetCurrentPosition(), end);
    NextFrame(*player);
    player->Stop();
    player->Seek(0.0);
    player->Run();
    auto texel = NextFrame(*player);  // frames come again after the restart
    ASSERT_TRUE(texel);
    EXPECT_TRUE(NearColour(*texel, 0, 0, 255));
    EXPECT_LT(player->GetCurrentPosition(), end);
}

TEST_F(Player, ThreadsEndWithTheirPlayers) {
    auto file = Clip("clip.mpg", {Container::Mpg, 32, 32, 25});
    const int before = SettledThreads();
    for (int i = 0; i < 10; ++i) {
        auto player = Build(file);
        player->Seek(0.5);
        if (i % 2) player->ReleaseGraph();
    }
    // A thread that was not joined stays listed, and the wait runs out.
    EXPECT_TRUE(Eventually([&] { return Threads() == before; })) << Threads() << " " << before;
}

TEST_F(Player, BadFilesEachGiveTheirMessageAndLeaveNoPicture) {
    auto write = [&](const std::string& name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return folder / name;
    };
    auto good = Clip("good.wmv", {Container::Wmv, 32, 32, 25});
    std::string goodBytes(std::filesystem::file_size(good), '\0');
    std::ifstream(good, std::ios::binary).read(goodBytes.data(), goodBytes.size());

    const std::string missing = (folder / "missing.wmv").string();
    const std::filesystem::path files[] = {
        missing,
        write("empty.wmv", ""),
        write("garbage.avi", std::string(4096, 'x')),
        write("header.wmv", goodBytes.substr(0, 300)),
    };
    for (const auto& file : files) {
        auto player = Build(file);
        EXPECT_EQ(player->GetTexture(), nullptr) << file;
        EXPECT_EQ(player->GetStopTime(), 0.0);
        player->Run();  // does nothing
    }
    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              "Could not add source filter to graph!  (hr==VFW_E_NOT_FOUND)\n\n"
                              "This file was not found:\n" +
                                  missing,
                              "Could not add source filter to graph!  hr=0x80040240",
                              "Could not add source filter to graph!  hr=0x80040240",
                              "Could not add source filter to graph!  hr=0x80040240"}));
    EXPECT_EQ(dialogs.Boxes()[0].caption, "DirectShow CaptureTex9 Sample");
}

TEST_F(Player, PicturesTooLargeForATextureAreRefused) {
    auto wide = Clip("wide.avi", {Container::Avi, 4112, 16, 2});
    auto player = Build(wide);
    EXPECT_EQ(lastResult, kInvalidCall);
    EXPECT_EQ(player->GetTexture(), nullptr);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Could not create the D3DX texture!  hr=0x8876086c",
                                        "Could not connect pins!  hr=0x8876086c"}));
}

TEST_F(Player, AFileThatEndsMidwayLoopsAtWhereItsDataEnds) {
    auto file = Clip("long.wmv", {Container::Wmv, 64, 48, 100, 0, 255, 0});  // four seconds
    std::filesystem::resize_file(file, std::filesystem::file_size(file) / 3);
    auto player = Build(file);
    ASSERT_EQ(lastResult, kOk);
    ASSERT_TRUE(Eventually([&] { return player->GetStopTime() < 3.0; }));
    ASSERT_TRUE(Eventually([&] { return player->GetCurrentPosition() >= player->GetStopTime(); }));
    EXPECT_TRUE(dialogs.Boxes().empty());
}

// The mixer as the game's sound back end opens it, writing to a file.
class VideoSoundTest : public Player {
protected:
    void SetUp() override {
        output = folder / "out.raw";
        SDL_setenv("SDL_AUDIODRIVER", "disk", 1);
        SDL_setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    void TearDown() override {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    // The loudest sample written so far.
    int Peak() {
        std::ifstream in(output, std::ios::binary);
        std::vector<int16_t> samples(std::filesystem::file_size(output) / 2);
        in.read(reinterpret_cast<char*>(samples.data()), samples.size() * 2);
        int peak = 0;
        for (int16_t s : samples)
            peak = std::max(peak, std::abs(int{s}));
        return peak;
    }
    std::filesystem::path output;
};

TEST_F(VideoSoundTest, TheClipIsHeardThroughTheMixerOnlyWithVideoSoundOn) {
    auto file = Clip("tone.wmv", {Container::Wmv, 32, 32, 50, 0, 0, 0, true});
    for (bool withSound : {false, true}) {
        auto player = Build(file, withSound);
        EXPECT_EQ(lastResult, kOk);
        if (withSound) {
            // Heard as soon as the decoder and the mixer get to it, however busy the machine.
            EXPECT_TRUE(Eventually([&] { return Peak() > 8000; })) << Peak();
        } else {
            std::this_thread::sleep_for(800ms);
            EXPECT_EQ(Peak(), 0);
        }
        player.reset();
    }
}

TEST_F(Player, AFileWithoutAPictureIsRefusedUnlessItsSoundIsWanted) {
    ClipShape shape{Container::Mpg, 32, 32, 25, 0, 0, 0, true};
    shape.picture = false;
    auto file = Clip("sound.mpg", shape);
    auto silent = Build(file, false);
    EXPECT_EQ(lastResult, kCannotConnect);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Could not connect pins!  hr=0x80040217"});
    auto heard = Build(file, true);  // the mixer is closed here: silent, but no error box
    EXPECT_EQ(lastResult, kOk);
    EXPECT_EQ(heard->GetTexture(), nullptr);
    EXPECT_EQ(dialogs.Boxes().size(), 1u);
}
