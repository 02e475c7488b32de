#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TempDir.h"
#include "util/TextFile.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void Write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

TextFile Loaded(const TempDir& dir, const std::string& text) {
    Write(dir / "file.txt", text);
    TextFile file;
    EXPECT_TRUE(file.Load(dir / "file.txt"));
    return file;
}

}  // namespace

TEST(TextFile, ALineOverTheLimitEndsTheReading) {
    TempDir dir("textfile");
    std::string longest(TextFile::kMaxLine, 'x');
    EXPECT_EQ(Loaded(dir, "a\n" + longest + "\r\nb\n").Count(), 3);
    TextFile cut = Loaded(dir, "a\n" + longest + "y\nb\n");
    ASSERT_EQ(cut.Count(), 1);
    EXPECT_EQ(cut.GetLine(0), "a");
    EXPECT_EQ(Loaded(dir, "a\nb\n" + std::string(2000, 'z')).Count(), 2);
}

TEST(TextFile, AMissingOrOversizedFileGivesNoLines) {
    TextFile file;
    file.AddLine("old");
    EXPECT_FALSE(file.Load("/nonexistent/velmora/file.txt"));
    EXPECT_EQ(file.Count(), 0);

    TempDir dir("textfile");
    Write(dir / "huge.txt", "a\n");
    std::filesystem::resize_file(dir / "huge.txt", 17 << 20);  // sparse: nothing to write
    file.AddLine("old");
    EXPECT_FALSE(file.Load(dir / "huge.txt"));
    EXPECT_EQ(file.Count(), 0);
}

// The file is written while the process may write only a few bytes: the write
// fails half way, and the old file must come through whole.
TEST(TextFile, AWriteThatFailsHalfWayLeavesTheOldFileWhole) {
    TempDir dir("textfile");
    const std::string path = dir / "option.ini";
    Write(path, "HighScore=000000000777\n");
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{8, 8};
        setrlimit(RLIMIT_FSIZE, &limit);
        TextFile file;
        file.AddLine("HighScore=000000099999");
        _exit(file.Save(path) ? 1 : 0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save reported success";
    EXPECT_EQ(Read(path), "HighScore=000000000777\n");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        (void)entry;
        ++files;
    }
    EXPECT_EQ(files, 1) << "the half-written file was left behind";
}

TEST(TextFile, ANameInAnotherCaseIsFoundWhenTheExactOneIsMissing) {
    TempDir dir("textfile");
    std::filesystem::create_directories(dir.Path() / "MEDIA");
    Write(dir / "MEDIA/SCRIPT_EASY.TXT", "play 0\n");
    TextFile file;
    EXPECT_TRUE(file.Load(dir / "Media/script_easy.txt"));
    EXPECT_EQ(file.Count(), 1);
}
