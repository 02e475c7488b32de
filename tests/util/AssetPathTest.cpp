#include "util/AssetPath.h"

#include <gtest/gtest.h>

#include "render/TestAssets.h"

TEST(AssetPath, NamesInAnotherCaseResolveToTheOneMatchingEntry) {
    TempDir dir("asset_path");
    std::filesystem::create_directories(dir.Path() / "MEDIA" / "Model");
    WriteText(dir.Path() / "MEDIA" / "Model" / "OBJ1.X", "x");
    WriteText(dir.Path() / "MEDIA" / "Model" / "obj2.x", "x");
    const std::string root = dir.Path().string();

    EXPECT_EQ(ResolveAssetPath(root + "/media/model/obj1.x"), root + "/MEDIA/Model/OBJ1.X");
    // Exact names are kept as they are.
    EXPECT_EQ(ResolveAssetPath(root + "/MEDIA/Model/obj2.x"), root + "/MEDIA/Model/obj2.x");
    EXPECT_EQ(ResolveAssetPath(root + "/Media/./Model/Obj2.X"), root + "/MEDIA/./Model/obj2.x");
    // Nothing matches: the path comes back unchanged for its loader to report.
    EXPECT_EQ(ResolveAssetPath(root + "/media/model/obj3.x"), root + "/media/model/obj3.x");
    EXPECT_EQ(ResolveAssetPath(""), "");
}

TEST(AssetPath, SeveralEntriesThatMatchResolveToNone) {
    TempDir dir("asset_path_ambiguous");
    WriteText(dir.Path() / "a.png", "1");
    WriteText(dir.Path() / "A.PNG", "2");
    const std::string root = dir.Path().string();
    EXPECT_EQ(ResolveAssetPath(root + "/A.png"), root + "/A.png");
    EXPECT_EQ(ResolveAssetPath(root + "/a.png"), root + "/a.png");  // the exact one wins
}
