// The game starts on the generated pack and finds every file it loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "MediaFiles.h"
#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "render/TestAssets.h"

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
    const WorldAssets& assets = app.GetWorld().Assets();
    for (int i = 0; i < kModelCount; ++i) {
        EXPECT_GT(assets.models[i]->MaterialCount(), 0u) << AssetAt(AssetKind::Model, i).file;
    }
}

}  // namespace

TEST(Preload, TheGameFindsEveryFileOfThePack) {
    CheckingDecoder* images = nullptr;
    HeadlessPlatform::Options options;
    options.exeDir = media_files::Dir().parent_path().string() + "/";
    options.makeImageDecoder = [&images] {
        auto d = std::make_unique<CheckingDecoder>();
        images = d.get();
        return d;
    };
    HeadlessPlatform platform(options);
    GameApp app(platform);

    ExpectEveryModelLoaded(app);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->asked.size(), 4u + 1u + 1u);  // the textures, the font, bg1's picture
    for (const auto& [path, loaded] : images->asked)
        EXPECT_TRUE(loaded) << path;
    ASSERT_EQ(platform.audio->Loaded().size(), 11u);
    for (const std::string& path : platform.audio->Loaded()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(options.exeDir + platform.videoPath));
    for (const Asset& asset : kAssets) {
        if (asset.kind == AssetKind::Settings) continue;  // written by the game itself
        EXPECT_TRUE(std::filesystem::is_regular_file(media_files::Dir() / asset.file))
            << asset.file;
    }

    app.StartGame();
    app.Update();
    app.Render();
    EXPECT_EQ(app.GetWorld().playerPool.Count(), 1);
}

TEST(Preload, AnAssetFolderWithUpperCaseNamesLoadsEveryPictureAndModel) {
    // The graphics folders of the pack, every name upper-cased: MEDIA/MODEL/OBJ1.X.
    TempDir exe("upper_case_media");
    namespace fs = std::filesystem;
    auto upper = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        return s;
    };
    for (const char* folder : {"Model", "Texture", "Font"}) {
        fs::path to = exe.Path() / "MEDIA" / upper(folder);
        fs::create_directories(to);
        for (const auto& entry : fs::directory_iterator(media_files::Dir() / folder))
            fs::copy_file(entry.path(), to / upper(entry.path().filename().string()));
    }
    CheckingDecoder* images = nullptr;
    HeadlessPlatform::Options options;
    options.exeDir = exe.Path().string() + "/";
    options.makeImageDecoder = [&images] {
        auto d = std::make_unique<CheckingDecoder>();
        images = d.get();
        return d;
    };
    HeadlessPlatform platform(options);
    GameApp app(platform);

    ExpectEveryModelLoaded(app);
    EXPECT_NE(app.GetWorld().Model("bg1").GetFirstTexture(), nullptr);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->asked.size(), 4u + 1u + 1u);
    for (const auto& [path, loaded] : images->asked)
        EXPECT_TRUE(loaded) << path;
}
