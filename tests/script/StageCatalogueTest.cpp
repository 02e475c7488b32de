// The stages the title offers: the game's own, the player's folder and the
// command line's, each once, named as the font can show them; a folder that
// holds anything at all is listed at once, what is no stage left out with a word.
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "content/StageOrder.h"
#include "script/StageCatalogue.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

struct CatalogueFixture : ::testing::Test {
    CatalogueFixture() {
        fs::create_directories(folder);
        Write(delivered, "stage First Stage\nplay 0\n");
    }
    static void Write(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::binary) << text;
    }
    StageCatalogue Read(const std::string& named = "") {
        said.clear();
        return StageCatalogue(delivered, pack, folder, named,
                              [this](const std::string& line) { said.push_back(line); });
    }
    static std::vector<std::string> Names(const StageCatalogue& catalogue) {
        std::vector<std::string> names;
        for (const CataloguedStage& stage : catalogue.Stages())
            names.push_back(stage.name);
        return names;
    }

    TempDir dir{"catalogue"};
    std::string delivered = dir / "script_easy.txt";
    std::string folder = dir / "stages/";
    std::vector<std::string> pack;
    std::vector<std::string> said;
};

}  // namespace

TEST_F(CatalogueFixture, TheGamesOwnThenThePlayersByFileThenTheCommandLinesEachOnce) {
    Write(folder + "b-side.txt", "/*\nstage hidden in a comment\n*/\nplay 0\n");
    Write(folder + "a.txt", "stage Caf\xc3\xa9 & Bar: \"No. 1\" " + std::string(40, 'x') + "\n");
    Write(folder + "notes.md", "stage not a stage file\n");
    Write(dir / "elsewhere.txt", "stage From The Command Line\n");
    StageCatalogue catalogue = Read(dir / "elsewhere.txt");
    EXPECT_EQ(Names(catalogue),
              (std::vector<std::string>{"FIRST STAGE", "CAF     BAR:  NO. 1  XXXXXXXXXXX", "B-SIDE",
                                        "FROM THE COMMAND LINE"}));
    EXPECT_TRUE(said.empty());
    EXPECT_EQ(catalogue.At(0).origin, StageOrigin::Delivered);
    EXPECT_EQ(catalogue.At(1).setting, "a.txt");
    EXPECT_EQ(catalogue.At(3).origin, StageOrigin::CommandLine);
    EXPECT_EQ(catalogue.At(3).path, dir / "elsewhere.txt");
    // The command line's stage is the one chosen; without it, the remembered one.
    EXPECT_EQ(catalogue.Chosen("a.txt"), 3);
    EXPECT_EQ(Read().Chosen("b-side.txt"), 2);
    EXPECT_EQ(Read().Chosen("gone.txt"), 0);
    EXPECT_EQ(Read().Chosen(""), 0);

    // A file of the folder named on the command line, by a relative path, is listed once.
    fs::path cwd = fs::current_path();
    fs::current_path(folder);
    catalogue = Read("./a.txt");
    fs::current_path(cwd);
    EXPECT_EQ(catalogue.Count(), 3);
    EXPECT_EQ(catalogue.Chosen(""), 1);

    // A recorded game's stage is added when it is not listed, once.
    std::string problem;
    EXPECT_EQ(catalogue.Include(dir / "elsewhere.txt", problem), 3);
    EXPECT_EQ(catalogue.Include(dir / "./elsewhere.txt", problem), 3);
    EXPECT_EQ(catalogue.Include(dir / "missing.txt", problem), -1);
    EXPECT_EQ(problem, "no such file");
    EXPECT_EQ(catalogue.Count(), 4);
}

TEST_F(CatalogueFixture, AThousandStagesAndEveryKindOfNonStageAreReadAtOnce) {
    const std::string stage = "stage A Stage\nplay 0\nsleep 60\nteki obj1 0\n";
    for (int i = 0; i < 1000; ++i)
        Write(folder + "stage" + std::to_string(1000 + i) + ".txt",
              stage + std::string(4000, '\n'));
    Write(folder + std::string(251, 'n') + ".txt", "play 0\n");  // the longest name there is
    Write(folder + "UPPER.TXT", "play 0\n");
    Write(folder + "binary.txt", std::string("play 0\n\0\x01\x02", 10));
    ASSERT_EQ(mkfifo((folder + "fifo.txt").c_str(), 0644), 0);
    fs::create_directory(folder + "folder.txt");
    fs::create_symlink(dir / "gone", folder + "dangling.txt");
    fs::create_symlink(folder + "loop.txt", folder + "loop.txt");
    {
        std::ofstream huge(folder + "huge.txt", std::ios::binary);
        huge.seekp(20 << 20);
        huge << "play 0\n";
    }
    const bool root = geteuid() == 0;
    Write(folder + "locked.txt", "play 0\n");
    chmod((folder + "locked.txt").c_str(), 0);

    auto start = std::chrono::steady_clock::now();
    StageCatalogue catalogue = Read();
    double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("[ listing   ] 1,000 stages and 7 others in %.1f ms\n", ms);
    // Each stage's head is read, not its whole (the huge one least of all).
    EXPECT_LT(ms, 2000.0);
    EXPECT_EQ(catalogue.Count(), 1 + 1000 + 2 + (root ? 1 : 0));
    // By file name, in any case: (locked.txt, which root may read), nnn...txt,
    // stage1000.txt ... stage1999.txt, UPPER.TXT.
    const int first = root ? 2 : 1;
    EXPECT_EQ(catalogue.At(first).name, std::string(32, 'N'));
    EXPECT_EQ(catalogue.At(first + 1).name, "A STAGE");
    EXPECT_EQ(catalogue.At(first + 1001).name, "UPPER");
    EXPECT_EQ(said.size(), root ? 6u : 7u);
    for (const char* file :
         {"binary.txt: not a text file", "fifo.txt: not a regular file",
          "folder.txt: not a regular file", "dangling.txt: no such file",
          "loop.txt: Too many levels of symbolic links", "huge.txt: too large"}) {
        bool found = false;
        for (const std::string& line : said)
            found = found || line.find(file) != std::string::npos;
        EXPECT_TRUE(found) << file;
    }
}

TEST(StageFile, WhatCannotBeAStageIsSaidBeforeAnythingOpensIt) {
    TempDir dir("stage_file");
    EXPECT_EQ(StageFileProblem(dir / "missing.txt"), "no such file");
    EXPECT_EQ(StageFileProblem(dir.Path().string()), "not a regular file");
    EXPECT_EQ(StageFileProblem("/dev/zero"), "not a regular file");
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
    EXPECT_EQ(StageFileProblem(dir / "fifo"), "not a regular file");
    std::ofstream(dir / "empty.txt").close();
    EXPECT_EQ(StageFileProblem(dir / "empty.txt"), "");
    EXPECT_EQ(ShownStageName("", dir / "my_stage.v2.txt"), "MY STAGE.V2");
    EXPECT_EQ(ShownStageName("   ", dir / "x.txt"), "STAGE");
    EXPECT_EQ(ShownStageName("\xe2\x98\x85", dir / "x.txt"), "STAGE");
}

// A file name in the player's folder is the player's: whatever bytes it holds,
// the line that says it is not listed cannot steer the terminal.
TEST_F(CatalogueFixture, ANameWithTerminalEscapesIsSaidHarmlessly) {
    Write(folder + "\x1b[2Jcleared.txt", std::string("\0", 1));
    StageCatalogue catalogue = Read();
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("?[2Jcleared.txt: not a text file"), std::string::npos) << said[0];
    EXPECT_EQ(said[0].find('\x1b'), std::string::npos);
}

// The game's other stages come after its first, in the order stages.toml gives
// them, each remembered by its own name; one that is no stage is left out with a word.
TEST_F(CatalogueFixture, ThePacksOtherStagesFollowTheFirstInTheirOrder) {
    Write(dir / "stages.toml",
          "stages = [\"two.txt\", \"gone.txt\", \"../x.txt\", \"three.txt\"]\n");
    Write(dir / "two.txt", "stage Second\n");
    Write(dir / "three.txt", "stage Third\n");
    Write(folder + "mine.txt", "play 0\n");
    std::vector<std::string> reported;
    pack = PackStages(dir.Path().string() + "/",
                      [&](const std::string& line) { reported.push_back(line); });
    EXPECT_EQ(pack, (std::vector<std::string>{dir / "two.txt", dir / "three.txt"}));
    EXPECT_EQ(reported.size(), 2u);
    StageCatalogue catalogue = Read();
    // And all of them as one game, which a new player starts.
    EXPECT_EQ(Names(catalogue),
              (std::vector<std::string>{"FIRST STAGE", "SECOND", "THIRD", "WHOLE GAME", "MINE"}));
    EXPECT_EQ(catalogue.At(1).origin, StageOrigin::Pack);
    EXPECT_EQ(catalogue.At(2).setting, "game:three.txt");
    EXPECT_EQ(catalogue.Chosen("game:three.txt"), 2);
    EXPECT_EQ(catalogue.WholeGame(), 3);
    EXPECT_EQ(catalogue.Chosen(""), 3);
    EXPECT_EQ(catalogue.At(3).chain,
              (std::vector<std::string>{delivered, dir / "two.txt", dir / "three.txt"}));
    EXPECT_EQ(catalogue.At(3).chainNames,
              (std::vector<std::string>{"FIRST STAGE", "SECOND", "THIRD"}));
    EXPECT_EQ(catalogue.At(0).setting, "game:script_easy.txt") << "the first alone, remembered";
    EXPECT_EQ(catalogue.Chosen("game:script_easy.txt"), 0);
    EXPECT_EQ(catalogue.Named("second"), 1);
    EXPECT_EQ(catalogue.Named("whole game"), 3);
    EXPECT_EQ(catalogue.Named("fourth"), -1);

    Write(dir / "stages.toml", "stages = [\"two.txt\"\n");
    reported.clear();
    EXPECT_TRUE(PackStages(dir.Path().string() + "/", [&](const std::string& line) {
                    reported.push_back(line);
                }).empty());
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("stages.toml:"), std::string::npos) << reported[0];
    fs::remove(dir / "stages.toml");
    EXPECT_TRUE(PackStages(dir.Path().string() + "/", [](const std::string&) { FAIL(); }).empty());
}
