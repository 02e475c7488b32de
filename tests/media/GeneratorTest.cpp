// mkmedia writes the whole pack, the same bytes on every run, and leaves the
// other files of its folder (the high-score file lives there) alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "MediaFiles.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> Contents(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        files[fs::relative(e.path(), root).string()] = bytes.str();
    }
    return files;
}

int Mkmedia(const fs::path& out, const std::string& more = "") {
    std::string command = std::string("'") + VELMORA_MKMEDIA + "' '" + out.string() + "'" + more;
    return std::system(command.c_str());
}

}  // namespace

TEST(Generator, WritesEveryFileTheGameLoadsTheSameEveryRunAndKeepsOtherFiles) {
    TempDir root("mkmedia");
    fs::create_directories(root.Path() / "a");
    { std::ofstream(root.Path() / "a" / "option.ini") << "HighScore=000000012345\n"; }
    ASSERT_EQ(Mkmedia(root.Path() / "a"), 0);
    ASSERT_EQ(Mkmedia(root.Path() / "b"), 0);
    std::map<std::string, std::string> a = Contents(root.Path() / "a"),
                                       b = Contents(root.Path() / "b");
    EXPECT_EQ(a["option.ini"], "HighScore=000000012345\n");
    a.erase("option.ini");

    std::set<std::string> expected = {"Model/bg1.png"};  // the background model's picture
    for (const Asset& asset : kAssets) {
        if (asset.kind != AssetKind::Settings) expected.insert(asset.file);
    }
    // The stages beyond the first, their order and their own folders.
    const fs::path stages = fs::path(VELMORA_TEST_DATA) / "../../tools/mkmedia/stage";
    for (const auto& entry : fs::recursive_directory_iterator(stages)) {
        if (entry.is_regular_file()) expected.insert(fs::relative(entry.path(), stages).string());
    }
    expected.insert(media_files::kStageModels.begin(), media_files::kStageModels.end());
    expected.insert(media_files::kStageMusic.begin(), media_files::kStageMusic.end());
    for (const std::string& name : expected)
        EXPECT_FALSE(b[name].empty()) << name;
    EXPECT_EQ(b.size(), expected.size()) << "nothing else is written";
    EXPECT_TRUE(a == b) << "a second run writes other bytes";
    // The pack beside the game is what the generator writes now.
    std::map<std::string, std::string> built = Contents(media_files::Dir());
    for (const auto& [name, bytes] : b)
        EXPECT_TRUE(built[name] == bytes) << name << " is stale";

    EXPECT_NE(Mkmedia(root.Path() / "c", " nonsense 2>/dev/null"), 0);
    EXPECT_FALSE(fs::exists(root.Path() / "c" / "video2.wmv"));
}
