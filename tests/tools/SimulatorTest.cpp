// The simulator's answers on its command line: its help and version, and a
// failure to write what it was asked to write reported by its exit status.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/Programs.h"
#include "support/TempDir.h"

TEST(SimulatorCommandLine, HelpAndVersionOnStdoutAnUnknownOptionOnStderr) {
    TempDir dir("sim_help");
    std::string err = dir / "stderr";
    ProgramRun help = RunProgram("(" + std::string(VELMORA_SIM) + " --help 2>" + err + ")");
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("Usage: velmora-sim", 0), 0u) << help.output;
    EXPECT_EQ(std::filesystem::file_size(err), 0u);
    ProgramRun version = RunProgram(std::string(VELMORA_SIM) + " --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("velmora-sim 0.", 0), 0u) << version.output;

    ProgramRun bad = RunProgram("(" + std::string(VELMORA_SIM) + " --shot x >/dev/null)");
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.output.rfind("Usage: velmora-sim [OPTION]...\n", 0), 0u) << bad.output;
}

TEST(SimulatorCommandLine, PicturesThatCannotBeWrittenEndTheRunWithOne) {
    TempDir dir("sim_shots");
    std::string steps = " --steps 30 --at 10,20 --every 600 --shots ";
    ProgramRun kept = RunProgram(std::string(VELMORA_SIM) + steps + dir.Path().string());
    EXPECT_EQ(kept.status, 0) << kept.output;
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "step10.png")) << kept.output;
    EXPECT_TRUE(std::filesystem::is_regular_file(dir / "step20.png")) << kept.output;

    ProgramRun lost = RunProgram(std::string(VELMORA_SIM) + steps + (dir / "missing"));
    EXPECT_EQ(lost.status, 1) << lost.output;
    EXPECT_NE(lost.output.find("step10.png not written"), std::string::npos) << lost.output;
}
