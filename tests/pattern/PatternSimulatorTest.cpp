// velmora-sim plays a pattern file on its own and checks one: its lines, its
// refusals and its exit status.
#include <fstream>

#include <gtest/gtest.h>

#include "support/Programs.h"
#include "support/TempDir.h"

namespace {

std::string Write(const TempDir& dir, const std::string& name, const std::string& text) {
    std::string path = dir / name;
    std::ofstream(path) << text;
    return path;
}

const char* kFan = R"(<?xml version="1.0"?>
<bulletml type="vertical">
<action label="top">
  <repeat><times>2+$rank*2</times><action>
    <fire><direction type="sequence">15</direction><speed>1.5</speed>
      <bullet><action><wait>3</wait><fire><bullet/></fire><vanish/></action></bullet></fire>
    <wait>2</wait>
  </action></repeat>
</action>
</bulletml>
)";

}  // namespace

TEST(PatternSimulator, PrintsEveryFireWithItsStepDepthDirectionAndSpeed) {
    TempDir dir("sim_pattern");
    std::string fan = Write(dir, "fan.xml", kFan);
    ProgramRun run = RunProgram(std::string(VELMORA_SIM) + " --pattern " + fan);
    EXPECT_EQ(run.status, 0) << run.output;
    // At rank 0.5 the fan has three bullets; each fires once, three steps after its first.
    EXPECT_EQ(run.output,
              "0 0 180.00 1.500\n2 0 195.00 1.500\n4 1 180.00 1.000\n4 0 210.00 1.500\n"
              "6 1 179.79 1.000\n8 1 179.59 1.000\nbullets 6\n");

    ProgramRun low =
        RunProgram(std::string(VELMORA_SIM) + " --pattern " + fan + " --rank 0 --steps 3");
    EXPECT_EQ(low.output, "0 0 180.00 1.500\n2 0 195.00 1.500\nbullets 2\n");
    // Run again, and under a German locale where there is one: the same lines.
    ProgramRun again = RunProgram("LC_ALL=de_DE.UTF-8 " + std::string(VELMORA_SIM) + " --pattern " +
                                  fan + " 2>/dev/null");
    EXPECT_EQ(again.output, run.output);

    ProgramRun badRank = RunProgram(std::string(VELMORA_SIM) + " --pattern " + fan + " --rank 2");
    EXPECT_EQ(badRank.status, 2);
}

TEST(PatternSimulator, ARefusedFileGivesItsFindingsAndOne) {
    TempDir dir("sim_pattern_bad");
    std::string bad = Write(
        dir, "bad.xml", "<bulletml>\n<action label=\"top\">\n<fire/>\n</action>\n</bulletml>\n");
    ProgramRun run = RunProgram(std::string(VELMORA_SIM) + " --pattern " + bad);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, bad + ":3: <fire> has no <bullet> or <bulletRef>\n");

    ProgramRun missing = RunProgram(std::string(VELMORA_SIM) + " --pattern " + (dir / "none.xml"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output.rfind(dir / "none.xml:0: ", 0), 0u) << missing.output;

    ProgramRun checked = RunProgram(std::string(VELMORA_SIM) + " --check " + bad);
    EXPECT_EQ(checked.status, 1);
    EXPECT_EQ(checked.output, run.output);
}

TEST(PatternSimulator, TheCheckerSaysHowAFilePlaysAndWhichBoundsItReaches) {
    TempDir dir("sim_pattern_check");
    ProgramRun clean =
        RunProgram(std::string(VELMORA_SIM) + " --check " + Write(dir, "fan.xml", kFan));
    EXPECT_EQ(clean.status, 0) << clean.output;
    EXPECT_NE(clean.output.find("fan.xml: a pattern of 1 top action(s); it fired 12 bullets"),
              std::string::npos)
        << clean.output;

    std::string flood = Write(dir, "flood.txt", R"(<bulletml><action label="top">
        <repeat><times>9999999</times><action><fire><bullet/></fire></action></repeat>
        </action></bulletml>)");
    ProgramRun bounded = RunProgram(std::string(VELMORA_SIM) + " --check " + flood);
    EXPECT_EQ(bounded.status, 1);
    EXPECT_NE(bounded.output.find(flood + ": bound reached: a repeat asked for more than"),
              std::string::npos)
        << bounded.output;
    EXPECT_NE(bounded.output.find(flood + ": bound reached: a bullet was not fired"),
              std::string::npos);
    // The checker reports a bound for the file; a play says it once on stderr
    // however often it is reached.
    EXPECT_EQ(bounded.output.find("velmora: pattern bound:"), std::string::npos);
    const std::string quietPlay = std::string(VELMORA_SIM) + " --pattern " + flood + " --steps 20";
    ProgramRun played = RunProgram("(" + quietPlay + " >/dev/null)");
    EXPECT_EQ(played.status, 0);
    EXPECT_EQ(played.output,
              "velmora: pattern bound: a repeat asked for more than 100000 turns and ends there\n"
              "velmora: pattern bound: a bullet was not fired: the field holds no more\n"
              "velmora: pattern bound: a runner gave more than 10000 commands in one step and "
              "was stopped\n");
}
