// The command line, the data folder search, and the game program's answers to
// its options, which it gives without a display.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <filesystem>

#include "app/CommandLine.h"
#include "app/DataDir.h"
#include "support/Programs.h"
#include "support/TempDir.h"

namespace {

ParsedCommandLine Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "velmora");
    return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

// Runs the game program with no display at all, so any attempt at a window
// fails, and with settings of its own.
ProgramRun RunGame(const std::string& args) {
    static TempDir config("cli_config");
    std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_CONFIG_HOME=" +
                          config.Path().string() + " " + VELMORA_GAME + " " + args;
    return RunProgram(command);
}

}  // namespace

TEST(CommandLine, ReadsEveryOptionInBothForms) {
    ParsedCommandLine p = Parse({"--fullscreen", "--datadir", "/games/v", "--stage=s.txt",
                                 "--replay", "r.txt", "--version", "-h"});
    ASSERT_EQ(p.error, "");
    EXPECT_EQ(p.options.fullScreen, true);
    EXPECT_EQ(p.options.dataDir, "/games/v");
    EXPECT_EQ(p.options.stage, "s.txt");
    EXPECT_EQ(p.options.replay, "r.txt");
    EXPECT_TRUE(p.options.version && p.options.help);
    EXPECT_EQ(Parse({"--fullscreen", "--window"}).options.fullScreen, false);  // the last wins
    EXPECT_FALSE(Parse({}).options.fullScreen.has_value());
}

TEST(CommandLine, RefusesMissingValuesUnknownOptionsAndArguments) {
    EXPECT_NE(Parse({"--datadir"}).error, "");
    EXPECT_NE(Parse({"--stage="}).error, "");
    EXPECT_NE(Parse({"--fulscreen"}).error, "");
    EXPECT_NE(Parse({"--help=yes"}).error, "");
    EXPECT_NE(Parse({"stage.txt"}).error, "");
}

TEST(CommandLine, TheGameAnswersWithoutADisplay) {
    ProgramRun help = RunGame("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("--datadir DIR"), std::string::npos);
    ProgramRun version = RunGame("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("velmora 0.", 0), 0u) << version.output;

    for (const char* bad : {"--bogus", "--datadir", "extra"}) {
        ProgramRun run = RunGame(bad);
        EXPECT_EQ(run.status, 2) << bad;  // a window attempt would have failed with 1
        EXPECT_NE(run.output.find("Usage: velmora"), std::string::npos) << run.output;
    }
    TempDir empty("no_media");
    EXPECT_EQ(RunGame("--datadir " + empty.Path().string()).status, 2);
}

TEST(DataDir, GivenThenBesideTheProgramThenInstalled) {
    TempDir exe("exe"), installed("installed"), other("other");
    std::string exeDir = exe.Path().string() + "/";
    std::string installedDir = installed.Path().string();
    std::vector<std::string> dirs = {other.Path().string() + "/", installedDir};

    EXPECT_EQ(FindDataDir("/given", exeDir, dirs), "/given/");
    EXPECT_EQ(FindDataDir("", exeDir, dirs), exeDir);  // nothing anywhere: the written place
    std::filesystem::create_directory(installed.Path() / "Media");
    EXPECT_EQ(FindDataDir("", exeDir, dirs), installedDir + "/");
    std::filesystem::create_directory(exe.Path() / "Media");
    EXPECT_EQ(FindDataDir("", exeDir, dirs), exeDir);
}
