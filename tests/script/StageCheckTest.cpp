// The stage checker: every line the game will ignore or cannot honour, by its
// number, on stages written by hand.
#include <fstream>

#include <gtest/gtest.h>

#include "media/MediaFiles.h"
#include "script/StageCheck.h"
#include "support/Programs.h"
#include "support/TempDir.h"

namespace {

std::string Media() {
    return media_files::Dir().string() + "/";
}

StageCheck Check(const std::string& text) {
    static TempDir dir("stage_check");
    std::ofstream(dir / "stage.txt", std::ios::binary | std::ios::trunc) << text;
    return CheckStage(dir / "stage.txt", Media());
}

}  // namespace

TEST(StageCheck, FindsEveryLineTheGameIgnoresOrCannotHonourByItsNumber) {
    StageCheck check = Check(
        "play 0\n"             // 1
        "tekki obj1 10\n"      // 2: a typo
        "teki obj7 10\n"       // 3: no such kind
        "teki obj1 1O\n"       // 4: a letter O for a zero
        "sleep  60\n"          // 5: two spaces, so no number
        "play 9\n"             // 6: no such piece
        " teki obj2 0\n"       // 7: a space before the keyword
        "\n"                   // 8: blank lines are fine
        "*/ stray close\n"     // 9: harmless
        "/* a remark\n"        // 10: opens a comment...
        "teki obj7\n"          // 11: ...so nothing here counts
        "*/\n"                 // 12
        "sleep 30 frames\n"    // 13: remarks after the tokens are fine
        "teki big1 -12.5\n"    // 14
        "sleep -1\n"           // 15: stops the stage for good
        "/* never closed\n");  // 16
    std::vector<std::string> expected = {
        "line 2: \"tekki\" is not a command; the line is ignored",
        "line 3: no enemy kind is called \"obj7\"; the line is ignored",
        "line 4: \"1O\" is not a number: the obj1 comes in at 1",
        "line 5: no frame count: it reads as 0",
        "line 6: \"play 9\": there is no piece 9 (0 to 7, or a piece's name); the line does "
        "nothing",
        "line 7: starts with a space: the line is ignored",
        "line 15: \"sleep -1\" stops the stage for good: nothing after it runs",
        "line 16: the comment opened here is never closed; the rest of the file is ignored",
    };
    EXPECT_EQ(check.findings, expected);
    EXPECT_FALSE(check.Clean());
    EXPECT_EQ(check.stepsBeforeBoss, 30);
    EXPECT_TRUE(check.stopsForGood);
}

// What a stage's file holds never reaches a terminal raw: its ignored lines,
// its name and its sections' names come out with control characters as '?'.
TEST(StageCheck, TerminalEscapesInTheFileComeOutHarmless) {
    TempDir dir("stage_escapes");
    std::ofstream(dir / "stage.txt", std::ios::binary) << "stage Evil\x1b]0;owned\x07Stage\n"
                                                          "section \x1b[2J\xc2\x9b"
                                                          "31mRED\n"
                                                          "play 0\n"
                                                          "t\x1b[31meki obj1 0\n"
                                                          "sleep 60\n";
    StageCheck check = CheckStage(dir / "stage.txt", Media());
    std::string text = DescribeStageCheck(check), sections;
    for (const std::string& finding : check.findings)
        text += finding;
    EXPECT_LT(NamedPracticeStart(dir / "stage.txt", Media(), "no such section", sections), 0);
    text += sections;
    for (char c : text) {
        EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 && c != '\n') << text;
        EXPECT_NE(c, '\x9b') << text;
    }
    EXPECT_NE(text.find("t?[31meki"), std::string::npos) << text;
    EXPECT_NE(text.find("?[2J?31mRED"), std::string::npos) << text;
}

TEST(StageCheck, ALineTooLongEndsTheStageThere) {
    StageCheck check =
        Check("teki obj1 0\nsleep 10\n" + std::string(1024, 'x') + "\nteki obj2 0\n");
    ASSERT_EQ(check.findings.size(), 1u);
    EXPECT_EQ(check.findings[0],
              "line 3: longer than 1,023 characters: the stage ends before this line");
    EXPECT_EQ(check.kinds, (std::vector<std::pair<std::string, int>>{{"obj1", 1}}));
    EXPECT_TRUE(Check("").Clean());
    EXPECT_FALSE(CheckStage("/nonexistent/stage.txt", Media()).readable);
}

TEST(StageCheck, TheDeliveredStageIsCleanAndTheSimulatorSaysSo) {
    std::string stage = (media_files::Dir() / "script_easy.txt").string();
    StageCheck check = CheckStage(stage, Media());
    EXPECT_TRUE(check.Clean()) << DescribeStageCheck(check);
    EXPECT_TRUE(check.hasBoss);
    EXPECT_GT(check.stepsBeforeBoss, 60 * 60 * 4);

    ProgramRun run = RunProgram(std::string(VELMORA_SIM) + " --check " + stage);
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("to the boss"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("boss x1"), std::string::npos) << run.output;
    // One of the game's own stages by its name, in any case, as --stage takes it.
    run = RunProgram(std::string(VELMORA_SIM) + " --check 'fourth STAGE'");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("THE ECLIPSE"), std::string::npos) << run.output;

    TempDir dir("stage_typo");
    std::ofstream(dir / "typo.txt") << "teki obj1 0\nslep 60\n";
    run = RunProgram(std::string(VELMORA_SIM) + " --check " + (dir / "typo.txt"));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output.rfind("line 2: \"slep\" is not a command", 0), 0u) << run.output;
    // The game says the same once, before it starts (here without a display).
    run = RunProgram(std::string("env -u DISPLAY -u WAYLAND_DISPLAY ") + VELMORA_GAME +
                     " --stage " + (dir / "typo.txt"));
    EXPECT_NE(run.output.find("typo.txt: line 2: \"slep\" is not a command"), std::string::npos)
        << run.output;
    EXPECT_EQ(RunProgram(std::string(VELMORA_GAME) + " --stage /nonexistent.txt").status, 2);
}

TEST(StageCheck, KnowsNamesAndSectionsAndWhenEachStartIsReached) {
    StageCheck check = Check(
        "stage\n"                  // 1: no name
        "stage  \n"                // 2: none either
        "stage Test Run\n"         // 3
        "stage Again\n"            // 4: one name is enough
        "section Opening\n"        // 5
        "play 0\n"                 // 6
        "sleep 120\n"              // 7
        "/*\n"                     // 8
        "section Commented Out\n"  // 9: does not count
        "*/\n"                     // 10
        "section Opening\n"        // 11: a second of the name
        "section " +
        std::string(40, 'N') +
        "\n"               // 12: shows cut
        "teki obj1 0\n"    // 13
        "sleep 60\n"       // 14
        "teki boss 0\n"    // 15
        "sleep 30\n"       // 16
        "section After\n"  // 17
        "gameover\n");     // 18
    std::vector<std::string> expected = {
        "line 1: a stage line needs a name; the line is ignored",
        "line 2: a stage line needs a name; the line is ignored",
        "line 4: the stage is already called \"Test Run\" (line 3); this name is ignored",
        "line 9: \"section\" inside a comment does not count",
        "line 11: a section before is called \"Opening\" too (line 5); --practice takes the first "
        "by that name",
        "line 12: the name is longer than 32 characters: it shows cut",
    };
    EXPECT_EQ(check.findings, expected);
    EXPECT_EQ(check.name, "Test Run");
    ASSERT_EQ(check.starts.size(), 4u);
    EXPECT_EQ(check.starts[0].section.name, "Opening");
    EXPECT_EQ(check.starts[0].steps, 0);
    EXPECT_EQ(check.starts[1].section.line, 11);
    EXPECT_EQ(check.starts[1].steps, 120);
    EXPECT_EQ(check.starts[2].steps, 120);
    EXPECT_EQ(check.starts[3].section.name, "After");
    EXPECT_TRUE(check.starts[3].afterBoss);
    EXPECT_EQ(check.starts[3].steps, 30);

    // Without sections: the start and the boss.
    check = Check("play 0\nsleep 90\nteki boss 0\n");
    ASSERT_EQ(check.starts.size(), 2u);
    EXPECT_EQ(check.starts[1].section.name, "BOSS");
    EXPECT_EQ(check.starts[1].steps, 90);
    EXPECT_EQ(Check("").starts.size(), 1u);
    EXPECT_TRUE(Check(std::string(2000, 's') + "\n").starts.size() == 1u);
}

TEST(StageCheck, TheSimulatorPrintsTheDeliveredStagesNameAndSections) {
    ProgramRun run = RunProgram(std::string(VELMORA_SIM) + " --check " +
                                (media_files::Dir() / "script_easy.txt").string());
    EXPECT_EQ(run.status, 0) << run.output;
    for (const char* line : {"name: FIRST STAGE", "1 FIRST CONTACT", "0:00", "6 THE BOSS"})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
}
