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

// The 25 models with their file names, in the order of their fields.
std::vector<std::pair<const char*, const Mesh*>> ModelsOf(const GameModels& m) {
    const std::unique_ptr<Mesh>* models[] = {
        &m.obj1,    &m.beam,    &m.crash1,  &m.crash2, &m.obj2,    &m.obj5,  &m.big1,
        &m.obj3,    &m.obj4,    &m.item1,   &m.item2,  &m.effect1, &m.bg1,   &m.ship,
        &m.shot,    &m.obj6,    &m.bomb1,   &m.bomb2,  &m.bomb3,   &m.bomb4, &m.bomb5,
        &m.bullet1, &m.bullet2, &m.needle1, &m.needle2};
    const char* names[] = {"obj1",    "beam",    "crash_1", "crash_2", "obj2",    "obj5",  "big1",
                           "obj3",    "obj4",    "item1",   "item2",   "effect1", "bg1",   "ship",
                           "shot",    "obj6",    "bomb1",   "bomb2",   "bomb3",   "bomb4", "bomb5",
                           "bullet1", "bullet2", "needle1", "needle2"};
    static_assert(std::size(names) == std::size(models));
    std::vector<std::pair<const char*, const Mesh*>> all;
    for (size_t i = 0; i < std::size(models); ++i)
        all.emplace_back(names[i], models[i]->get());
    return all;
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

    for (const auto& [name, mesh] : ModelsOf(app.models))
        EXPECT_GT(mesh->MaterialCount(), 0u) << "model " << name;
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->asked.size(), 4u + 1u + 1u);  // the textures, the font, bg1's picture
    for (const auto& [path, loaded] : images->asked)
        EXPECT_TRUE(loaded) << path;
    ASSERT_EQ(platform.audio->Loaded().size(), 11u);
    for (const std::string& path : platform.audio->Loaded()) {
        EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
    }
    EXPECT_TRUE(std::filesystem::is_regular_file(options.exeDir + platform.videoPath));
    for (const char* piece : media_files::kMusic) {
        EXPECT_TRUE(std::filesystem::is_regular_file(media_files::Dir() / "Music" / piece))
            << piece;
    }

    app.StartGame();
    app.Update();
    app.Render();
    EXPECT_EQ(app.playerPool->Count(), 1);
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

    for (const auto& [name, mesh] : ModelsOf(app.models))
        EXPECT_GT(mesh->MaterialCount(), 0u) << "model " << name;
    EXPECT_NE(app.models.bg1->GetFirstTexture(), nullptr);
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->asked.size(), 4u + 1u + 1u);
    for (const auto& [path, loaded] : images->asked)
        EXPECT_TRUE(loaded) << path;
}
