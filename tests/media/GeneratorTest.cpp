// mkmedia writes the whole pack, the same bytes on every run, and leaves the
// other files of its folder (the high-score file lives there) alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <unistd.h>

#include "MediaFiles.h"

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

class Generator : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("mkmedia_test_" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root);
    }
    void TearDown() override { fs::remove_all(root); }
    int Run(const fs::path& out) {
        std::string command = std::string("'") + VELMORA_MKMEDIA + "' '" + out.string() + "'";
        return std::system(command.c_str());
    }
    fs::path root;
};

}  // namespace

TEST_F(Generator, WritesEveryFileTheGameLoads) {
    ASSERT_EQ(Run(root / "Media"), 0);
    std::map<std::string, std::string> files = Contents(root / "Media");
    std::set<std::string> expected = {"Model/bg1.png"};  // the background model's picture
    for (const Asset& a : kAssets) {
        if (a.kind != AssetKind::Settings) expected.insert(a.file);
    }
    for (const std::string& name : expected) {
        auto it = files.find(name);
        ASSERT_NE(it, files.end()) << name;
        EXPECT_FALSE(it->second.empty()) << name;
    }
    EXPECT_EQ(files.size(), expected.size()) << "nothing else is written";
}

TEST_F(Generator, IsDeterministicAndKeepsOtherFiles) {
    fs::create_directories(root / "a");
    { std::ofstream(root / "a" / "option.ini") << "HighScore=000000012345\n"; }
    ASSERT_EQ(Run(root / "a"), 0);
    ASSERT_EQ(Run(root / "b"), 0);
    std::map<std::string, std::string> a = Contents(root / "a"), b = Contents(root / "b");
    EXPECT_EQ(a["option.ini"], "HighScore=000000012345\n");
    a.erase("option.ini");
    ASSERT_EQ(a.size(), b.size());
    for (const auto& [name, bytes] : a)
        EXPECT_TRUE(bytes == b[name]) << name << " differs";
    // The pack beside the game is what the generator writes now.
    std::map<std::string, std::string> built = Contents(media_files::Dir());
    for (const auto& [name, bytes] : b)
        EXPECT_TRUE(built[name] == bytes) << name << " is stale";
}

TEST_F(Generator, RefusesAnUnknownPart) {
    std::string command = std::string("'") + VELMORA_MKMEDIA + "' '" + (root / "c").string() +
                          "' nonsense 2>/dev/null";
    EXPECT_NE(std::system(command.c_str()), 0);
    EXPECT_FALSE(fs::exists(root / "c" / "video2.wmv"));
}
