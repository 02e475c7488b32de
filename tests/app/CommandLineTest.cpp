// The command line, the data folder search, and the game program's answers to
// its options, which it gives without a display.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

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
    // A folder without the pack, or with an empty Media, is refused in one line
    // before any window opens.
    TempDir empty("no_media");
    for (bool withMedia : {false, true}) {
        if (withMedia) std::filesystem::create_directory(empty.Path() / "Media");
        ProgramRun run = RunGame("--datadir " + empty.Path().string());
        EXPECT_EQ(run.status, 2) << run.output;
        EXPECT_EQ(run.output.rfind("velmora: --datadir " + empty.Path().string() + ": ", 0), 0u)
            << run.output;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    }
}

TEST(DataDir, GivenThenBesideTheProgramThenInstalled) {
    TempDir exe("exe"), installed("installed"), other("other");
    std::string exeDir = exe.Path().string() + "/";
    std::string installedDir = installed.Path().string();
    std::vector<Installation> dirs = {{other.Path().string() + "/", "/other/"},
                                      {installedDir + "/games/../", installedDir + "/.."}};

    EXPECT_EQ(FindDataDir("/given", exeDir, dirs).dir, "/given/");
    DataDir nowhere = FindDataDir("", exeDir, dirs);
    EXPECT_EQ(nowhere.dir, exeDir);  // nothing anywhere: the written place
    EXPECT_FALSE(nowhere.Installed());

    std::filesystem::create_directories(installed.Path() / "Media");
    std::filesystem::create_directories(installed.Path() / "games");
    DataDir fromInstall = FindDataDir("", exeDir, dirs);
    EXPECT_EQ(fromInstall.dir, installedDir + "/");
    EXPECT_EQ(fromInstall.installPrefix, installed.Path().parent_path().string() + "/");
    // The installed folder named on the command line is still the installation.
    EXPECT_TRUE(FindDataDir(installedDir, exeDir, dirs).Installed());
    EXPECT_FALSE(FindDataDir(other.Path().string(), exeDir, dirs).Installed());

    std::filesystem::create_directory(exe.Path() / "Media");
    DataDir beside = FindDataDir("", exeDir, dirs);
    EXPECT_EQ(beside.dir, exeDir);
    EXPECT_FALSE(beside.Installed());
}

TEST(DataDir, ThePlayersFolderIsNeverInTheInstallationNorRelative) {
    TempDir prefix("prefix");
    std::string usr = prefix.Path().string();
    std::filesystem::create_directories(prefix.Path() / "share/games");
    EXPECT_EQ(UserDataDir("/data", "/home/p", usr + "/"), "/data/velmora/");
    EXPECT_EQ(UserDataDir(nullptr, "/home/p", ""), "/home/p/.local/share/velmora/");
    // A relative HOME is none: files would land where the game was started from.
    EXPECT_EQ(UserDataDir(nullptr, "home/p", ""), "");
    for (const std::string& refused :
         {std::string("data"), std::string("./data"), std::string(""), usr, usr + "/share",
          usr + "/share/games/../x", usr + "//share/"}) {
        EXPECT_EQ(UserDataDir(refused.c_str(), "/home/p", usr + "/"),
                  "/home/p/.local/share/velmora/")
            << refused;
    }
    EXPECT_EQ(UserDataDir((usr + "x").c_str(), "/home/p", usr), usr + "x/velmora/");
    // Not installed: the folder of a build or a copy may lie anywhere.
    EXPECT_EQ(UserDataDir((usr + "/share").c_str(), "/home/p", ""), usr + "/share/velmora/");
    // A game installed for one player keeps in its usual place.
    EXPECT_EQ(UserDataDir(nullptr, usr.c_str(), usr + "/.local/"), usr + "/.local/share/velmora/");
    EXPECT_EQ(UserDataDir(nullptr, nullptr, ""), "");
}

TEST(DataDir, APackIsAFolderWithItsStage) {
    TempDir dir("pack");
    std::string media = dir.Path().string() + "/";
    EXPECT_NE(MissingPack(media), "");
    std::filesystem::create_directory(dir.Path() / "SCRIPT_EASY.TXT");
    EXPECT_NE(MissingPack(media), "");  // a folder in its place
    std::filesystem::remove(dir.Path() / "SCRIPT_EASY.TXT");
    std::ofstream(dir / "Script_Easy.txt") << "sleep 1\n";
    EXPECT_EQ(MissingPack(media), "");  // a pack copied from another system
}
