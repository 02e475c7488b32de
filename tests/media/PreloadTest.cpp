// The game starts on the generated pack and finds every file it loads, also
// when the pack's names were upper-cased on the way.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "MediaFiles.h"
#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "support/TempDir.h"
#include "util/AssetPath.h"

namespace fs = std::filesystem;

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

// The game on the pack in exeDir, its images decoded for real.
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
    void ExpectEverythingLoaded() {
        // Every model has something to show in every subset; only the floor a picture.
        for (int i = 0; i < kModelCount; ++i) {
            const Mesh& mesh = *app.Play().Field().Assets().models[i];
            const Asset& asset = AssetAt(AssetKind::Model, i);
            EXPECT_GT(mesh.MaterialCount(), 0u) << asset.file;
            bool textured = false;
            for (uint32_t m = 0; m < mesh.MaterialCount(); ++m) {
                EXPECT_GT(mesh.TriangleCount(m), 0u) << asset.file << " subset " << m;
                EXPECT_GT(mesh.GetMaterial(m).diffuse.a, 0.0f) << asset.file << " subset " << m;
                textured = textured || mesh.GetTexture(m);
            }
            EXPECT_EQ(textured, std::string(asset.handle) == "bg1") << asset.file;
        }
        ASSERT_NE(images, nullptr);
        EXPECT_EQ(images->asked.size(), 4u + 1u + 1u);  // the textures, the font, bg1's picture
        for (const auto& [path, loaded] : images->asked)
            EXPECT_TRUE(loaded) << path;
        // Sounds and music open through the same lookup on the real back ends.
        EXPECT_EQ(platform.audio->Loaded().size(), 11u);
        for (const std::string& path : platform.audio->Loaded())
            EXPECT_TRUE(fs::is_regular_file(ResolveAssetPath(path))) << path;
        EXPECT_TRUE(fs::is_regular_file(platform.videoPath)) << platform.videoPath;
        EXPECT_GT(app.Play().StageIn(app.Catalogue().At(0).path).Count(), 100);
    }

    CheckingDecoder* images = nullptr;
    HeadlessPlatform platform;
    GameApp app;
};

}  // namespace

TEST(Preload, TheGameFindsEveryFileOfThePackAndPlays) {
    CheckedGame game(media_files::Dir().parent_path().string() + "/");
    game.ExpectEverythingLoaded();
    game.app.StartGame();
    game.app.Update();
    game.app.Render();
    EXPECT_EQ(game.app.Play().Field().playerPool.Count(), 1);
}

TEST(Preload, AnAssetFolderWithUpperCaseNamesLoadsEverything) {
    // The whole pack, every name upper-cased: MEDIA/MODEL/OBJ1.X, MEDIA/SCRIPT_EASY.TXT.
    TempDir exe("upper_case_media");
    for (const auto& entry : fs::recursive_directory_iterator(media_files::Dir())) {
        std::string name = fs::relative(entry.path(), media_files::Dir()).string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return std::toupper(c); });
        if (entry.is_directory()) {
            fs::create_directories(exe.Path() / "MEDIA" / name);
        } else {
            fs::copy_file(entry.path(), exe.Path() / "MEDIA" / name);
        }
    }
    fs::path cwd = fs::current_path();
    fs::current_path(exe.Path());  // the default video is looked for here first
    {
        CheckedGame game(exe.Path().string() + "/", exe.Path().string() + "/Media/");
        game.ExpectEverythingLoaded();
    }
    fs::current_path(cwd);
    // The high score goes into the folder as it is named.
    EXPECT_TRUE(fs::is_regular_file(exe.Path() / "MEDIA" / "option.ini"));
}
