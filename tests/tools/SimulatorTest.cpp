// The simulator's answers on its command line: its help and version, the
// options it shares with the game read as the game reads them, what it
// writes written whole or a failure reported by its exit status, its bots and
// what it tells of each section.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "support/Programs.h"
#include "support/TempDir.h"

TEST(SimulatorCommandLine, HelpAndVersionOnStdoutAnUnknownOptionOnStderr) {
    TempDir dir("sim_help");
    std::string err = dir / "stderr";
    const std::string sim = VELMORA_SIM;
    ProgramRun help = RunProgram(sim + " --help 2>" + err);
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.output.rfind("Usage: velmora-sim", 0), 0u) << help.output;
    EXPECT_EQ(std::filesystem::file_size(err), 0u);
    ProgramRun version = RunProgram(std::string(VELMORA_SIM) + " --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output.rfind("velmora-sim 0.", 0), 0u) << version.output;

    ProgramRun bad = RunProgram(sim + " --shot x");  // nothing on stdout
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(
        bad.output.rfind("velmora-sim: unknown option --shot\nUsage: velmora-sim [OPTION]...\n", 0),
        0u)
        << bad.output;
}

// The game and the simulator read the options they share one way: the same
// refusals in the same words, after each program's name, with the same status.
TEST(SimulatorCommandLine, TheGameAndTheSimulatorRefuseWhatTheyShareAlike) {
    TempDir dir("front_end");
    std::ofstream(dir / "stage.txt") << "stage Mine\nsection ONE\nplay 0\nsleep 60\n";
    const std::string stage = dir / "stage.txt";
    for (const std::string& args :
         {std::string("--level lunatic"), std::string("--level=lunatic"),
          "--stage " + (dir / "missing.txt"), "--stage " + stage + " --practice two",
          std::string("--practice"), std::string("--frobnicate")}) {
        SCOPED_TRACE(args);
        // No display: everything here is refused before a window would open.
        ProgramRun game = RunProgram("env -u DISPLAY -u WAYLAND_DISPLAY " +
                                     std::string(VELMORA_GAME) + " " + args);
        ProgramRun sim = RunProgram(std::string(VELMORA_SIM) + " " + args);
        EXPECT_EQ(game.status, 2) << game.output;
        EXPECT_EQ(sim.status, 2) << sim.output;
        // The first line, after the program's name.
        auto said = [](const std::string& output, std::string_view program) {
            std::string_view line = std::string_view(output).substr(0, output.find('\n'));
            EXPECT_TRUE(line.starts_with(program)) << output;
            line.remove_prefix(std::min(program.size(), line.size()));
            return std::string(line);
        };
        EXPECT_EQ(said(game.output, "velmora: "), said(sim.output, "velmora-sim: "));
    }
}

// What the simulator writes is written whole or not at all, as the game's files are.
TEST(SimulatorCommandLine, ItsRecordAndHashesAreWrittenAsOneStep) {
    TempDir dir("sim_writes");
    std::ofstream(dir / "short.txt") << "gameover\n";
    ProgramRun run =
        RunProgram(std::string(VELMORA_SIM) + " --stage " + (dir / "short.txt") + " --record " +
                   (dir / "out.replay") + " --hashes " + (dir / "out.hashes"));
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(FileText(dir.Path() / "out.replay").find("velmora replay"), std::string::npos);
    EXPECT_NE(FileText(dir.Path() / "out.hashes").find("back-to-title"), std::string::npos);
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"out.hashes", "out.replay", "short.txt"}));
    ProgramRun refused = RunProgram(std::string(VELMORA_SIM) + " --stage " + (dir / "short.txt") +
                                    " --hashes " + (dir / "no/such/folder/h"));
    EXPECT_EQ(refused.status, 1) << refused.output;
    EXPECT_NE(refused.output.find("cannot write"), std::string::npos) << refused.output;
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

namespace {

// A calm section, then lines of divers across the whole field.
std::string StormStage(const TempDir& dir) {
    std::ofstream out(dir / "storm.txt");
    out << "stage Storm\nsection CALM\nplay 0\nsleep 400\nsection STORM\n";
    for (int line = 0; line < 6; ++line) {
        for (int x = -40; x <= 40; x += 10)
            out << "teki obj1 " << x << '\n';
        out << "sleep 100\n";
    }
    out << "sleep 1200\n";
    return dir / "storm.txt";
}

// What a run printed, less the line of how long it took.
ProgramRun Played(const std::string& arguments) {
    ProgramRun run = RunProgram(std::string(VELMORA_SIM) + " " + arguments);
    run.output.erase(std::min(run.output.find("simulated "), run.output.size()));
    return run;
}

// The line a run printed for a section, from its name on.
std::string SectionLine(const std::string& output, const std::string& name) {
    std::size_t at = output.find("section " + name + " ");
    if (at == std::string::npos) return "";
    return output.substr(at, output.find('\n', at) - at);
}

}  // namespace

// The weaving bot plays unless another is named; a name it does not know is
// refused with the names it does.
TEST(SimulatorCommandLine, TheBotsByNameTheWeavingOneUnlessAnotherIsNamed) {
    TempDir dir("sim_bots");
    const std::string storm = " --steps 2400 --stage " + StormStage(dir);
    ProgramRun byDefault = Played(storm);
    ProgramRun weave = Played("--bot weave" + storm);
    ProgramRun blind = Played("--bot blind" + storm);
    ProgramRun careful = Played("--bot careful" + storm);
    EXPECT_EQ(weave.status, 0) << weave.output;
    EXPECT_EQ(blind.status, 0) << blind.output;
    EXPECT_EQ(careful.status, 0) << careful.output;
    EXPECT_EQ(byDefault.output, weave.output);
    EXPECT_NE(blind.output, weave.output);
    EXPECT_NE(careful.output, weave.output);

    ProgramRun unknown = Played("--bot clever" + storm);
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.output.rfind("velmora-sim: there is no bot \"clever\" (the bots: weave, "
                                   "blind, careful)\nUsage: velmora-sim [OPTION]...\n",
                                   0),
              0u)
        << unknown.output;
}

// A line for each section reached, with the lives lost there: the blind bot
// loses every life to the lines of divers, the weaving one dodges some, and
// the calm before costs neither anything, its closing wait included.
TEST(SimulatorCommandLine, ItTellsTheLivesLostInEachSection) {
    TempDir dir("sim_sections");
    const std::string storm = " --steps 2400 --stage " + StormStage(dir);
    ProgramRun blind = Played("--bot blind" + storm);
    ProgramRun weave = Played("--bot weave" + storm);
    for (const ProgramRun* run : {&blind, &weave}) {
        EXPECT_EQ(SectionLine(run->output, "CALM").rfind("section CALM", 0), 0u) << run->output;
        EXPECT_NE(SectionLine(run->output, "CALM").find(" lives lost 0  score 0"),
                  std::string::npos)
            << run->output;
    }
    const std::string blindStorm = SectionLine(blind.output, "STORM");
    EXPECT_NE(blindStorm.find(" lives lost 3 ("), std::string::npos) << blind.output;
    EXPECT_NE(blind.output.find("game over        step"), std::string::npos) << blind.output;
    const std::string weaveStorm = SectionLine(weave.output, "STORM");
    ASSERT_NE(weaveStorm, "") << weave.output;
    EXPECT_EQ(weaveStorm.find(" lives lost 3"), std::string::npos) << weave.output;
    // The careful bot watches every line of divers, not the nearest one.
    ProgramRun careful = Played("--bot careful" + storm);
    EXPECT_NE(SectionLine(careful.output, "STORM").find(" lives lost 0 "), std::string::npos)
        << careful.output;
}
