// velmora-sim: plays the stage without a screen, far faster than real time.
//   velmora-sim [--bot weave | --input FILE] [--steps N] [--record FILE]
//               [--hashes FILE] [--every N] [--media FOLDER] [--shots FOLDER --at N,N,...]
// It starts at the title menu, presses START and plays until the game is back
// at the title (or for N steps), printing the state every 600 steps. --record
// keeps the keys it played, --hashes the field's hash at those steps and when
// the run reached what it reached. With --shots it draws the game as it looks
// at the given steps into PNG files.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Bot.h"
#include "Pictures.h"
#include "Simulation.h"
#include "app/BuildInfo.h"
#include "app/DataDir.h"
#include "input/PadText.h"
#include "input/ScriptedInput.h"
#include "world/WorldHash.h"

namespace {

struct Options {
    std::string input, record, hashes, media, shots;
    std::set<int> at;
    long steps = 200000;
    int every = 600;
};

void Usage() {
    std::fprintf(stderr,
                 "usage: velmora-sim [--bot weave | --input FILE] [--steps N] [--record FILE]\n"
                 "                   [--hashes FILE] [--every N] [--media FOLDER]\n"
                 "                   [--shots FOLDER --at N,N,...]\n");
}

bool Parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        bool hasValue = i + 1 < argc;
        if (arg == "--bot" && hasValue && std::string(argv[i + 1]) == "weave") {
            ++i;
        } else if (arg == "--input" && hasValue) {
            o.input = argv[++i];
        } else if (arg == "--record" && hasValue) {
            o.record = argv[++i];
        } else if (arg == "--hashes" && hasValue) {
            o.hashes = argv[++i];
        } else if (arg == "--media" && hasValue) {
            o.media = argv[++i];
        } else if (arg == "--steps" && hasValue) {
            o.steps = std::strtol(argv[++i], nullptr, 10);
        } else if (arg == "--shots" && hasValue) {
            o.shots = argv[++i];
        } else if (arg == "--at" && hasValue) {
            std::stringstream list(argv[++i]);
            for (std::string n; std::getline(list, n, ',');)
                o.at.insert(static_cast<int>(std::strtol(n.c_str(), nullptr, 10)));
        } else if (arg == "--every" && hasValue) {
            o.every = static_cast<int>(std::strtol(argv[++i], nullptr, 10));
        } else {
            return false;
        }
    }
    return o.steps > 0 && o.every > 0;
}

// The folder of Media/: the one given, else the game's, as the game finds it.
std::string ExeDir(const Options& o) {
    namespace fs = std::filesystem;
    if (!o.media.empty()) return fs::absolute(o.media).parent_path().string() + "/";
    std::error_code e;
    fs::path self = fs::read_symlink("/proc/self/exe", e);
    std::string exeDir = (e ? fs::current_path() : self.parent_path()).string() + "/";
    return FindDataDir("", exeDir, InstalledDataDirs(exeDir));
}

void PrintMilestone(const char* what, int step) {
    if (step < 0) {
        std::printf("%-16s not reached\n", what);
    } else {
        std::printf("%-16s step %6d (%s)\n", what, step, StepsAsTime(step).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        Usage();
        return 2;
    }
    // A day of play is more than any run needs.
    constexpr long kMostSteps = 60L * 60 * 60 * 24;
    ScriptedInput recorded;
    if (!options.input.empty()) {
        std::ifstream in(options.input);
        if (!in) {
            std::fprintf(stderr, "velmora-sim: cannot read %s\n", options.input.c_str());
            return 1;
        }
        recorded = ScriptedInput(ReadPadRuns(in, kMostSteps));
    }
    std::vector<PadRun> played;
    std::ostringstream hashes;

    auto start = std::chrono::steady_clock::now();
    Simulation sim(ExeDir(options),
                   options.shots.empty() ? HeadlessPlatform::Options{} : WithPictures());
    WeavingBot bot;
    while (!sim.Over() && sim.Steps() < options.steps) {
        PadState pad;
        if (!options.input.empty()) {
            if (recorded.Finished()) break;
            recorded.Fill(pad);
        } else if (sim.AtTitle()) {
            pad.buttons[kButtonFire] = sim.Steps() % 2 == 1;  // press START, let go, again
        } else {
            pad = bot.Play(sim.GetWorld());
        }
        AppendStep(played, pad);
        sim.Step(pad);
        if (sim.Steps() % options.every == 0) {
            std::printf("%s\n", sim.Report().c_str());
            hashes << sim.Steps() << ' ' << std::hex << HashWorld(sim.GetWorld()) << std::dec
                   << '\n';
        }
        if (!options.shots.empty() && options.at.count(sim.Steps())) {
            std::string file = options.shots + "/step" + std::to_string(sim.Steps()) + ".png";
            if (!SaveFrame(sim.App(), file))
                std::fprintf(stderr, "velmora-sim: %s not written\n", file.c_str());
        }
    }
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!options.record.empty()) {
        std::ofstream record(options.record);
        WritePadRuns(record, played);
        if (!record) {
            std::fprintf(stderr, "velmora-sim: cannot write %s\n", options.record.c_str());
            return 1;
        }
    }

    std::printf("%s\n", sim.Report().c_str());
    const Simulation::Milestones& m = sim.Reached();
    if (!options.hashes.empty()) {
        std::ofstream out(options.hashes);
        out << hashes.str() << sim.Steps() << ' ' << std::hex << HashWorld(sim.GetWorld())
            << std::dec << '\n'
            << "boss-entry " << m.bossEntry << "\ngame-clear " << m.gameClear << "\ngame-over "
            << m.gameOver << "\nback-to-title " << m.backToTitle << '\n';
        if (!out) {
            std::fprintf(stderr, "velmora-sim: cannot write %s\n", options.hashes.c_str());
            return 1;
        }
    }
    PrintMilestone("boss entry", m.bossEntry);
    PrintMilestone("game clear", m.gameClear);
    PrintMilestone("game over", m.gameOver);
    PrintMilestone("back to title", m.backToTitle);
    std::printf("simulated %d steps (%s of play) in %.2f s\n", sim.Steps(),
                StepsAsTime(sim.Steps()).c_str(), took.count());
    return 0;
}
