// The game starts on the generated pack and finds every file it loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "MediaFiles.h"
#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "render/TestAssets.h"
#include "util/AssetPath.h"

namespace {

// Decodes for real and remembers what was asked for and whether it came.
struct CheckingDecoder : ImageDecoder {
    Image Decode(const std::string& path) override {
        Image image = real.Decode(path);
        asked.emplace_back(path, !image.Empty());
        return image;
    }
    SdlImageDecoder real;
    std::vector<std::pair<std::string, bool>> asked;
};

void ExpectEveryModelLoaded(GameApp& app) {
    const WorldAssets& assets = app.Play().Field().Assets();
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_GT(assets.models[i]->MaterialCount(), 0u) << AssetAt(AssetKind::Model, i).file;
    }
}

}  // namespace

// The game on the pack in exeDir, its images decoded for real and checked.
struct CheckedGame {
    explicit CheckedGame(const std::string& exeDir, const std::string& saveDir = "")
        : platform(Options(exeDir, saveDir)), app(platform) {}
    HeadlessPlatform::Options Options(const std::string& exeDir, const std::string& saveDir) {
        HeadlessPlatform::Options options;
        options.exeDir = exeDir;
        options.saveDir = saveDir;
        options.makeImageDecoder = [this] {
            auto d = std::make_unique<CheckingDecoder>();
            images = d.get();
            return d;
        };
        return options;
    }
    void ExpectEveryPictureLoaded() {
        ASSERT_NE(images, nullptr);
        EXPECT_EQ(images->asked.size(), 4u + 1u + 1u);  // the textures, the font, bg1's picture
        for (const auto& [path, loaded] : images->asked)
            EXPECT_TRUE(loaded) << path;
    }

    CheckingDecoder* images = nullptr;
    HeadlessPlatform platform;
    GameApp app;
};

TEST(Preload, TheGameFindsEveryFileOfThePack) {
    const std::string exeDir = media_files::Dir().parent_path().string() + "/";
    CheckedGame game(exeDir);
    ExpectEveryModelLoaded(game.app);
    game.ExpectEveryPictureLoaded();
    ASSERT_EQ(game.platform.audio->Loaded().size(), 11u);
    for (const std::string& path : game.platform.audio->Loaded()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(game.platform.videoPath));
    for (const Asset& asset : kAssets) {
        if (asset.kind == AssetKind::Settings) continue;  // written by the game itself
        EXPECT_TRUE(std::filesystem::is_regular_file(media_files::Dir() / asset.file))
            << asset.file;
    }
    EXPECT_GT(game.app.Play().Stage().Count(), 100);

    game.app.StartGame();
    game.app.Update();
    game.app.Render();
    EXPECT_EQ(game.app.Play().Field().playerPool.Count(), 1);
}

TEST(Preload, AnAssetFolderWithUpperCaseNamesLoadsEverything) {
    // The whole pack, every name upper-cased: MEDIA/MODEL/OBJ1.X, MEDIA/SCRIPT_EASY.TXT.
    TempDir exe("upper_case_media");
    namespace fs = std::filesystem;
    auto upper = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        return s;
    };
    for (const auto& entry : fs::recursive_directory_iterator(media_files::Dir())) {
        fs::path to =
            exe.Path() / "MEDIA" / upper(fs::relative(entry.path(), media_files::Dir()).string());
        if (entry.is_directory()) {
            fs::create_directories(to);
        } else {
            fs::copy_file(entry.path(), to);
        }
    }
    fs::path cwd = fs::current_path();
    fs::current_path(exe.Path());  // the default video is looked for here first
    {
        CheckedGame game(exe.Path().string() + "/", exe.Path().string() + "/Media/");
        ExpectEveryModelLoaded(game.app);
        EXPECT_NE(game.app.Play().Field().Model("bg1").GetFirstTexture(), nullptr);
        game.ExpectEveryPictureLoaded();
        EXPECT_GT(game.app.Play().Stage().Count(), 100);
        EXPECT_TRUE(fs::is_regular_file(game.platform.videoPath)) << game.platform.videoPath;
        // Sounds and music open through the same lookup on the real back ends.
        for (const std::string& path : game.platform.audio->Loaded())
            EXPECT_TRUE(fs::is_regular_file(ResolveAssetPath(path))) << path;
    }
    fs::current_path(cwd);
    // The high score goes into the folder as it is named.
    EXPECT_TRUE(fs::is_regular_file(exe.Path() / "MEDIA" / "option.ini"));
}
