#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/HeadlessPlatform.h"
#include "game/VideoBackground.h"
#include "graphics/GraphicsDevice.h"
#include "support/TestMedia.h"

namespace {

struct Background : ::testing::Test {
    Background() {
        platform.dialogs.window = &window;
        window.ShowCursor(false);
        device.ResetOrCreate();
        std::ofstream(media.ExeDir() + "Media/video2.wmv") << "clip";
    }
    VideoBackground Make(const std::string& remembered = "") {
        return VideoBackground(platform, device, window, media.ExeDir() + "Media/", remembered,
                               [this] { ++resets; });
    }
    SimulatedVideo& Video() { return *static_cast<SimulatedVideo*>(platform.video); }

    // Remembers whether the cursor was visible while the error box was up.
    struct CursorDialogs : RecordingDialogs {
        DialogResult ShowMessageBox(const std::string& text, const std::string& caption,
                                    DialogButtons buttons, DialogIcon icon) override {
            cursorWhileShown = window->IsCursorShown();
            return RecordingDialogs::ShowMessageBox(text, caption, buttons, icon);
        }
        HeadlessWindow* window = nullptr;
        bool cursorWhileShown = false;
    };
    // The texts as written, in Japanese, unless a test asks for English.
    static HeadlessPlatform::Options In(Language language) {
        HeadlessPlatform::Options options;
        options.language = language;
        return options;
    }
    struct CursorPlatform : HeadlessPlatform {
        CursorPlatform() : HeadlessPlatform(In(Language::Japanese)) {}
        Dialogs& GetDialogs() override { return dialogs; }
        CursorDialogs dialogs;
    };

    TestMedia media;
    CursorPlatform platform;
    HeadlessWindow window;
    GraphicsDevice device{std::make_unique<NullBackend>(), std::make_unique<NullImageDecoder>(),
                          640, 480};
    int resets = 0;
};

}  // namespace

TEST_F(Background, TheDefaultVideoComesFromTheCurrentFolderFirstThenFromBesideTheProgram) {
    const auto before = std::filesystem::current_path();
    std::filesystem::current_path(media.ExeDir());
    { VideoBackground video = Make(); }
    EXPECT_EQ(platform.videoPath, "Media/video2.wmv");
    std::filesystem::current_path(media.ExeDir() + "Media");
    { VideoBackground video = Make(); }
    std::filesystem::current_path(before);
    EXPECT_EQ(platform.videoPath, media.ExeDir() + "Media/video2.wmv");
    EXPECT_FALSE(platform.videoWithSound);
    EXPECT_EQ(platform.videosMade, 2);
}

TEST_F(Background, LoopsAtItsEndAndRestartsOrRewindsForTheGameFlow) {
    double now = 0.0;
    HeadlessPlatform::Options options;
    options.makeVideoPlayer = [&now](auto&&...) {
        return std::make_unique<SimulatedVideo>([&now] { return now; }, 10.0);
    };
    HeadlessPlatform clocked(options);
    VideoBackground video(clocked, device, window, media.ExeDir(), "", nullptr);
    auto& clip = *static_cast<SimulatedVideo*>(clocked.video);
    clip.Run();
    now = 9.9;
    video.Loop();
    EXPECT_EQ(clip.runs, 1);
    now = 10.5;  // past its end: the loop starts it again from its start
    video.Loop();
    EXPECT_EQ(clip.runs, 2);
    EXPECT_DOUBLE_EQ(clip.GetCurrentPosition(), 0.0);

    video.StopAndRewind();  // game over: stays stopped at its start
    now = 20.0;
    video.Loop();
    EXPECT_FALSE(clip.IsRunning());
    EXPECT_DOUBLE_EQ(clip.GetCurrentPosition(), 0.0);
    video.Restart();
    EXPECT_TRUE(clip.IsRunning());
}

TEST_F(Background, ACancelledChoiceKeepsTheVideoAndSaysWhatIsWanted) {
    VideoBackground video = Make();
    VideoPlayer* before = &video.Player();
    video.ChooseVideo();

    ASSERT_EQ(platform.chooser.Requests().size(), 1u);
    const auto& asked = platform.chooser.Requests()[0];
    EXPECT_EQ(asked.title, "ファイルを開く");
    std::vector<std::string> filters;
    for (const auto& f : asked.filters)
        filters.push_back(f.name + " " + f.pattern);
    // Every file first: FFmpeg plays far more than a list of kinds could say.
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0], "All files *");
    EXPECT_NE(filters[1].find("*.mp4"), std::string::npos);
    EXPECT_NE(filters[1].find("*.wmv"), std::string::npos);
    ASSERT_EQ(platform.dialogs.Boxes().size(), 1u);
    const auto& box = platform.dialogs.Boxes()[0];
    EXPECT_EQ(box.text, "動画ファイル(wmv,avi,mpg)を指定してください。");
    EXPECT_EQ(box.caption, "エラー");
    EXPECT_EQ(box.buttons, DialogButtons::Ok);
    EXPECT_EQ(&video.Player(), before);
    EXPECT_EQ(platform.videosMade, 1);
    EXPECT_TRUE(platform.dialogs.cursorWhileShown);
    EXPECT_FALSE(window.IsCursorShown());
    EXPECT_EQ(resets, 1);  // the dialog's time is not caught up
}

TEST_F(Background, TheChooserAndItsCancelReadInEnglishOutsideAJapaneseLocale) {
    HeadlessPlatform english(In(Language::English));
    VideoBackground video(english, device, window, media.ExeDir() + "Media/", "", nullptr);
    video.ChooseVideo();
    ASSERT_EQ(english.chooser.Requests().size(), 1u);
    EXPECT_EQ(english.chooser.Requests()[0].title, "Open File");
    EXPECT_EQ(english.chooser.Requests()[0].filters.front().name, "All files");
    ASSERT_EQ(english.dialogs.Boxes().size(), 1u);
    EXPECT_EQ(english.dialogs.Boxes()[0].text, "Please choose a video file (wmv, avi, mpg).");
    EXPECT_EQ(english.dialogs.Boxes()[0].caption, "Error");
}

TEST_F(Background, AChosenFileWaitsStoppedAtItsStartWithTheSoundSettingOfTheMoment) {
    VideoBackground video = Make();
    platform.chooser.QueueAnswer("/clips/first.avi");
    platform.chooser.QueueAnswer("/clips/second.mpg");
    video.ToggleSound();
    EXPECT_TRUE(video.IsSoundOn());

    EXPECT_TRUE(video.ChooseVideo());
    EXPECT_EQ(platform.videoPath, "/clips/first.avi");
    EXPECT_TRUE(platform.videoWithSound);
    EXPECT_EQ(Video().stops, 1);
    EXPECT_EQ(Video().seeks, 1);
    EXPECT_FALSE(Video().IsRunning());
    EXPECT_EQ(video.ChosenPath(), "/clips/first.avi");

    video.ToggleSound();
    video.ChooseVideo();  // opens on the previous choice
    EXPECT_EQ(platform.chooser.Requests()[1].initialPath, "/clips/first.avi");
    EXPECT_FALSE(platform.videoWithSound);
    EXPECT_EQ(platform.videosMade, 3);
    EXPECT_TRUE(platform.dialogs.Boxes().empty());
    EXPECT_EQ(resets, 2);
}

// The video chosen last plays at the next start while its file is there;
// DEFAULT VIDEO brings the game's own back.
TEST_F(Background, TheChosenVideoIsRememberedUntilItIsGoneOrTheDefaultComesBack) {
    const std::string mine = media.ExeDir() + "mine.mkv";
    std::ofstream(mine) << "clip";
    {
        VideoBackground video = Make(mine);
        EXPECT_EQ(platform.videoPath, mine);
        EXPECT_EQ(video.ChosenPath(), mine);
        video.UseDefaultVideo();
        EXPECT_TRUE(platform.videoPath.ends_with("Media/video2.wmv")) << platform.videoPath;
        EXPECT_EQ(video.ChosenPath(), "");
        EXPECT_FALSE(Video().IsRunning());  // waits for the next game
    }
    VideoBackground gone = Make(media.ExeDir() + "deleted.avi");
    EXPECT_TRUE(platform.videoPath.ends_with("Media/video2.wmv")) << platform.videoPath;
    EXPECT_EQ(gone.ChosenPath(), "");
}

TEST(FilePattern, MatchesWithoutRegardToCaseAndStarDotStarIsEverything) {
    EXPECT_EQ(CaseInsensitivePattern("*.wmv"), "*.[wW][mM][vV]");
    EXPECT_EQ(CaseInsensitivePattern("*.*"), "*");
    EXPECT_EQ(FilterPatterns({"Video files", "*.mp4;;*.MKV"}),
              (std::vector<std::string>{"*.[mM][pP]4", "*.[mM][kK][vV]"}));
    EXPECT_EQ(FilterPatterns({"All files", "*"}), (std::vector<std::string>{"*"}));
}
