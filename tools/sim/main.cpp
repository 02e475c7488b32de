// velmora-sim: plays the stage without a screen, far faster than real time.
//   velmora-sim [--bot weave | --input FILE] [--steps N] [--record FILE]
//               [--hashes FILE] [--every N] [--media FOLDER] [--shots FOLDER --at N,N,...]
// --media names the pack's folder (build/Media). It starts at the title menu, presses START and
// plays until the game is back at the title (or for N steps), printing the state every 600 steps.
// --record keeps the keys it played, --hashes the field's hash at those steps and when the run
// reached what it reached. With --shots it draws the game as it looks at the given steps into PNG
// files.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "Bot.h"
#include "PadText.h"
#include "Pictures.h"
#include "Simulation.h"
#include "util/AssetPath.h"
#include "util/AssetTable.h"
#include "util/FileData.h"
#include "util/StringUtil.h"
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

// The game reads its files from <exeDir>Media/. A pack folder of another name
// is reached through a link of that name in a temporary folder.
class MediaFolder {
public:
    ~MediaFolder() {
        std::error_code ignored;
        if (!linkDir.empty()) std::filesystem::remove_all(linkDir, ignored);
    }
    // The exeDir for the pack in folder; empty, with a message, when the folder
    // holds no pack.
    std::string ExeDirFor(const std::string& folder) {
        namespace fs = std::filesystem;
        fs::path pack = fs::absolute(folder).lexically_normal();
        if (!pack.has_filename()) pack = pack.parent_path();  // a trailing slash
        const char* stage = AssetAt(AssetKind::Script, 0).file;
        std::string why;
        if (!IsRegularFile(ResolveAssetPath((pack / stage).string()), why)) {
            std::fprintf(stderr, "velmora-sim: %s holds no game files (%s: %s)\n", folder.c_str(),
                         stage, why.c_str());
            return "";
        }
        std::string name = pack.filename().string();
        std::transform(name.begin(), name.end(), name.begin(), AsciiLower);
        if (name == "media") return pack.parent_path().string() + "/";
        std::error_code e;
        linkDir = fs::temp_directory_path() / ("velmora-sim-" + std::to_string(getpid()));
        fs::create_directories(linkDir, e);
        fs::create_directory_symlink(pack, linkDir / "Media", e);
        if (e) {
            std::fprintf(stderr, "velmora-sim: cannot reach %s: %s\n", folder.c_str(),
                         e.message().c_str());
            return "";
        }
        return linkDir.string() + "/";
    }

private:
    std::filesystem::path linkDir;
};

// The folder that holds Media/ when none is given: the one beside this program.
std::string OwnExeDir() {
    namespace fs = std::filesystem;
    std::error_code e;
    fs::path self = fs::read_symlink("/proc/self/exe", e);
    return (e ? fs::current_path() : self.parent_path()).string() + "/";
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
    std::vector<PadState> recorded;
    if (!options.input.empty()) {
        std::ifstream in(options.input);
        if (!in) {
            std::fprintf(stderr, "velmora-sim: cannot read %s\n", options.input.c_str());
            return 1;
        }
        recorded = ReadInputs(in);
    }
    MediaFolder media;
    std::string exeDir = options.media.empty() ? OwnExeDir() : media.ExeDirFor(options.media);
    if (exeDir.empty()) return 2;
    // Only a run that is recorded keeps what was played.
    std::vector<PadState> played;
    std::ostringstream hashes;

    auto start = std::chrono::steady_clock::now();
    Simulation sim(exeDir, options.shots.empty() ? HeadlessPlatform::Options{} : WithPictures());
    WeavingBot bot;
    while (!sim.Over() && sim.Steps() < options.steps) {
        PadState pad;
        if (!options.input.empty()) {
            if (static_cast<size_t>(sim.Steps()) >= recorded.size()) break;
            pad = recorded[sim.Steps()];
        } else if (sim.AtTitle()) {
            pad.buttons[kButtonFire] = sim.Steps() % 2 == 1;  // press START, let go, again
        } else {
            pad = bot.Play(sim.GetWorld());
        }
        if (!options.record.empty()) played.push_back(pad);
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
        WriteInputs(record, played);
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
