// velmora-sim: plays the stage without a screen, far faster than real time.
// It starts at the title menu, presses START and plays until the game is back
// at the title (or for N steps), printing the state every 600 steps. --input
// plays a replay the game recorded, or a list of steps from the title; --record
// writes the game it played as a replay; --hashes the field's hash at those
// steps and when the run reached what it reached. --media names the folder of
// the game's files. With --shots it draws the game as it looks at the given
// steps into PNG files. --stage, --level and --practice choose what is played,
// as the game's own options do. --check reads a stage file as the game does and
// lists what the game will ignore in it, its name and where practice can start;
// it checks a pattern file too. --pattern plays a pattern file on its own and
// prints every bullet it fires.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Bot.h"
#include "Pictures.h"
#include "Simulation.h"
#include "app/BuildInfo.h"
#include "app/CommandLine.h"
#include "app/DataDir.h"
#include "content/ContentBook.h"
#include "content/StageOrder.h"
#include "game/Levels.h"
#include "game/PlayChoice.h"
#include "input/PadText.h"
#include "input/ScriptedInput.h"
#include "pattern/PatternCheck.h"
#include "pattern/PatternReader.h"
#include "pattern/PatternTrace.h"
#include "script/StageCatalogue.h"
#include "script/StageCheck.h"
#include "script/StageScript.h"
#include "util/AtomicFile.h"
#include "util/FileData.h"
#include "util/FileStamp.h"
#include "util/StepClock.h"
#include "util/StringUtil.h"
#include "world/WorldHash.h"

namespace {

struct Options {
    std::string input, record, hashes, media, shots, check, stage, level, practice, pattern;
    std::string bot = "weave";
    std::set<int> at;
    long steps = 200000;
    bool stepsGiven = false;
    double rank = 0.5;
    int every = 600;
    bool help = false, version = false, watch = false;
};

std::string SimUsage() {
    return "Usage: velmora-sim [OPTION]...\n"
           "       velmora-sim --check STAGE|PATTERN [--watch]\n"
           "       velmora-sim --pattern FILE [--rank R] [--steps N]\n"
           "Plays Velmora's stage without a screen, from the title's START, far faster\n"
           "than real time, and prints the state of the field as it goes.\n"
           "\n"
           "  --bot BOT         play with a built-in bot: weave (the default) keeps firing,\n"
           "                    weaves and dodges; blind keeps firing and weaves, dodging\n"
           "                    nothing, as a new player does; careful weighs every move,\n"
           "                    focused or not, against everything near\n"
           "  --input FILE      play a replay the game kept, or a list of steps\n"
           "  --stage STAGE     play this stage script instead of the first: a file, one\n"
           "                    of the game's own by its name in any case (\"second\n"
           "                    stage\"), or all to play the whole game\n"
           "  --level LEVEL     play at this level: " +
           LevelNames() +
           "\n"
           "  --practice SECTION  practise the stage from this section (its name or number)\n"
           "  --steps N         stop after N steps (default 200000)\n"
           "  --record FILE     write the game it played as a replay\n"
           "  --hashes FILE     write the field's hash at the printed steps and milestones\n"
           "  --every N         print the state every N steps (default 600)\n"
           "  --media FOLDER    take the game's files from FOLDER, a Media folder\n"
           "  --shots FOLDER    draw the steps given with --at into PNG files in FOLDER\n"
           "  --at N,N,...      the steps --shots draws\n"
           "  --check STAGE     list what the game will ignore in a stage (a file or one\n"
           "                    of the game's own by its name), or the faults of a\n"
           "                    pattern file and the bounds it reaches\n"
           "  --watch           with --check STAGE: check it again whenever a file of it\n"
           "                    or its folder is saved, until interrupted\n"
           "  --pattern FILE    play a pattern file (BulletML) from the top of the field\n"
           "                    for 600 steps and print each bullet it fires:\n"
           "                    STEP DEPTH DIRECTION SPEED, then bullets N\n"
           "  --rank R          the pattern's $rank, 0 to 1 (default 0.5)\n"
           "  -h, --help        show this help and exit\n"
           "  --version         show the version and exit\n"
           "\n"
           "Exit status: 0 when the run ended (and a replay ended as recorded) or the\n"
           "stage or pattern checked clean; 1 when a file could not be read or written,\n"
           "a replay does not fit or did not end as recorded, the stage or pattern has\n"
           "findings or a pattern file is refused; 2 for arguments it does not\n"
           "understand or a folder without the game's files.\n"
           "See velmora-sim(6).\n"
           "\n"
           "velmora-sim " +
           std::string(GameVersion()) + "\n";
}

// Where an option that is a text or a path goes.
std::string* TextSlot(std::string_view name, Options& o) {
    if (name == "--input") return &o.input;
    if (name == "--record") return &o.record;
    if (name == "--hashes") return &o.hashes;
    if (name == "--media") return &o.media;
    if (name == "--pattern") return &o.pattern;
    if (name == "--shots") return &o.shots;
    if (name == "--check") return &o.check;
    if (name == "--stage") return &o.stage;
    if (name == "--level") return &o.level;
    return &o.practice;
}

// Through the game's own reader: the options both take read the same way.
// Empty, or what is wrong with the arguments.
std::string Parse(int argc, char** argv, Options& o) {
    static constexpr OptionRule kRules[] = {
        {"--help", "-h", false}, {"--version", "", false}, {"--bot", "", true},
        {"--input", "", true},   {"--record", "", true},   {"--hashes", "", true},
        {"--media", "", true},   {"--steps", "", true},    {"--pattern", "", true},
        {"--rank", "", true},    {"--shots", "", true},    {"--at", "", true},
        {"--every", "", true},   {"--check", "", true},    {"--stage", "", true},
        {"--level", "", true},   {"--practice", "", true}, {"--watch", "", false},
    };
    ReadArguments read = ReadCommandLine(argc, argv, kRules);
    if (!read.error.empty()) return read.error;
    for (const GivenOption& given : read.given) {
        const std::string_view name = given.name;
        const std::string& value = given.value;
        if (name == "--help") {
            o.help = true;
        } else if (name == "--version") {
            o.version = true;
        } else if (name == "--watch") {
            o.watch = true;
        } else if (name == "--bot") {
            if (value != "weave" && value != "blind" && value != "careful")
                return "there is no bot \"" + value + "\" (the bots: weave, blind, careful)";
            o.bot = value;
        } else if (name == "--steps") {
            o.steps = std::strtol(value.c_str(), nullptr, 10);
            o.stepsGiven = true;
        } else if (name == "--rank") {
            // A point, whatever the locale.
            auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), o.rank);
            if (error != std::errc() || end != value.data() + value.size() ||
                !(o.rank >= 0.0 && o.rank <= 1.0))
                return "--rank takes a number from 0 to 1";
        } else if (name == "--at") {
            std::stringstream list(value);
            for (std::string n; std::getline(list, n, ',');)
                o.at.insert(static_cast<int>(std::strtol(n.c_str(), nullptr, 10)));
        } else if (name == "--every") {
            o.every = static_cast<int>(std::strtol(value.c_str(), nullptr, 10));
        } else {
            *TextSlot(name, o) = value;
        }
    }
    return "";
}

// The folder of the game's files, with a trailing '/': the one given (with or
// without its slash), else the game's own, found as the game finds it. Empty,
// with a message, when the folder holds no stage.
std::string MediaDir(const Options& o) {
    namespace fs = std::filesystem;
    std::string dir;
    if (o.media.empty()) {
        std::error_code e;
        fs::path self = fs::read_symlink("/proc/self/exe", e);
        std::string exeDir = (e ? fs::current_path() : self.parent_path()).string() + "/";
        dir = FindDataDir("", exeDir, Installations(exeDir)).dir + "Media/";
    } else {
        fs::path given = fs::absolute(o.media).lexically_normal();
        if (!given.has_filename()) given = given.parent_path();
        dir = given.string() + "/";
    }
    std::string missing = MissingPack(dir);
    if (missing.empty()) return dir;
    std::fprintf(stderr, "velmora-sim: %s\n", missing.c_str());
    return "";
}

int Check(const std::string& path, const std::string& mediaDir) {
    if (LooksLikePattern(path)) {
        PatternCheck check = CheckPattern(path);
        std::printf("%s", check.report.c_str());
        return check.clean ? 0 : 1;
    }
    StageCheck check = CheckStage(path, mediaDir);
    std::printf("%s", DescribeStageCheck(check).c_str());
    return check.Clean() ? 0 : 1;
}

// The author's loop: the check again after every save, a line between checks.
int WatchCheck(const std::string& path, const std::string& mediaDir) {
    uint64_t seen = StampOfFiles(path, StageFolderOf(path));
    Check(path, mediaDir);
    std::fflush(stdout);
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        const uint64_t now = StampOfFiles(path, StageFolderOf(path));
        if (now == std::exchange(seen, now)) continue;
        std::printf("--- read again\n");
        Check(path, mediaDir);
        std::fflush(stdout);
    }
}

// Step 0 is the pattern's first; a refused file prints its findings.
int PlayPattern(const Options& o) {
    PatternRead read = ReadPattern(o.pattern);
    if (!read.program) {
        for (const std::string& finding : read.findings)
            std::fprintf(stderr, "%s\n", finding.c_str());
        return 1;
    }
    PatternTrace trace(*read.program, o.rank);
    std::vector<PatternFired> fired;
    long total = 0;
    const long steps = o.stepsGiven ? o.steps : 600;
    for (long s = 0; s < steps; ++s) {
        fired.clear();
        trace.Step(fired);
        for (const PatternFired& f : fired)
            std::printf("%s\n", DescribeFire(f).c_str());
        total += static_cast<long>(fired.size());
    }
    std::printf("bullets %ld\n", total);
    return 0;
}

// Each section of the stage the game reached: when, the lives lost there and
// when, and the score as it was left. Where a stage is too hard shows at a glance.
class SectionRecord {
public:
    void Step(Simulation& sim) {
        if (!sim.App().Scenes().Has(SceneKind::StageRunner)) return;  // no timeline yet
        const StageScript& stage = sim.App().Play().Stage();
        // The section of the command run last: a section's closing sleep is its own.
        std::string name = "-";
        for (const StageSection& start : stage.PracticeStarts()) {
            if (start.command <= std::max(stage.Position() - 1, 0)) name = start.name;
        }
        if (sections.empty() || sections.back().name != name)
            sections.push_back({name, sim.Steps(), {}, 0});
        Section& section = sections.back();
        const World& world = sim.GetWorld();
        if (world.GetLives() < lives) section.livesLost.push_back(sim.Steps());
        lives = world.GetLives();
        section.score = std::stoll(world.GetScore().Text());
    }
    void Print() const {
        for (const Section& section : sections) {
            std::string lost = std::to_string(section.livesLost.size());
            for (std::size_t i = 0; i < section.livesLost.size(); ++i)
                lost += (i ? " " : " (") + StepsAsClock(section.livesLost[i]);
            if (!section.livesLost.empty()) lost += ')';
            std::printf("section %-20s from %s  lives lost %s  score %lld\n", section.name.c_str(),
                        StepsAsClock(section.from).c_str(), lost.c_str(), section.score);
        }
    }

private:
    struct Section {
        std::string name;
        int from;
        std::vector<int> livesLost;
        long long score;
    };
    int lives = World::kStartLives;
    std::vector<Section> sections;
};

void PrintMilestone(const char* what, int step) {
    if (step < 0) {
        std::printf("%-16s not reached\n", what);
    } else {
        std::printf("%-16s step %6d (%s)\n", what, step, StepsAsClock(step).c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error = Parse(argc, argv, options);
    if (std::optional<int> done =
            AnswerFirst("velmora-sim", {error, options.help, options.version}, SimUsage()))
        return *done;
    if (!options.pattern.empty()) return PlayPattern(options);
    std::string mediaDir = MediaDir(options);
    if (mediaDir.empty()) return 2;
    const auto sayOnStderr = [](const std::string& line) {
        std::fprintf(stderr, "velmora-sim: %s\n", line.c_str());
    };
    if (!options.check.empty()) {
        // A stage of the game's own may be checked by its name too.
        const NamedStage named = StageNamed(options.check, mediaDir, sayOnStderr);
        if (!named.wholeGame) options.check = named.stage;
        return options.watch ? WatchCheck(options.check, mediaDir) : Check(options.check, mediaDir);
    }
    // A stage of the game's own by its name, or all of them as one game.
    const NamedStage named = StageNamed(options.stage, mediaDir, sayOnStderr);
    options.stage = named.stage;
    const bool wholeGame = named.wholeGame;
    PlayChoiceCheck checked =
        CheckPlayChoice({options.stage, options.level, options.practice}, mediaDir);
    if (!checked.refusal.empty()) {
        std::fprintf(stderr, "velmora-sim: %s\n%s", checked.refusal.c_str(),
                     checked.showUsage ? SimUsage().c_str() : "");
        return 2;
    }
    const int practice = checked.practiceStart;
    // As the game does: what a stage of the player's will not honour is said first.
    if (!options.stage.empty()) {
        for (const std::string& finding : CheckStage(options.stage, mediaDir).findings)
            std::fprintf(stderr, "velmora-sim: %s: %s\n", Printable(options.stage).c_str(),
                         finding.c_str());
    }

    // A recorded game, or steps from the title.
    std::optional<Replay> replay;
    ScriptedInput steps;
    if (!options.input.empty()) {
        std::string text, why;
        if (!ReadFileLimited(options.input, kMaxReplayBytes, text, why)) {
            std::fprintf(stderr, "velmora-sim: %s: %s\n", options.input.c_str(), why.c_str());
            return 1;
        }
        if (LooksLikeReplay(text)) {
            if (!options.stage.empty() || !options.level.empty() || practice >= 0) {
                std::fprintf(stderr, "velmora-sim: a replay brings its own stage and level\n");
                return 2;
            }
            replay = PlayableReplay(text, mediaDir, why);
            if (!replay) {
                std::fprintf(stderr, "velmora-sim: %s: %s\n", options.input.c_str(), why.c_str());
                return 1;
            }
        } else {
            // A day of play is more than any run needs.
            std::istringstream in(text);
            steps = ScriptedInput(ReadPadRuns(in, 60L * 60 * 60 * 24));
        }
    }
    std::ostringstream hashes;

    auto start = std::chrono::steady_clock::now();
    HeadlessPlatform::Options platform =
        options.shots.empty() ? HeadlessPlatform::Options{} : WithPictures();
    GameStart chosen;
    chosen.stage = options.stage;
    chosen.wholeGame = wholeGame;
    chosen.level = options.level;
    Simulation sim(mediaDir, platform, chosen);
    if (replay) {
        if (std::string why = sim.PlayReplay(*replay); !why.empty()) {
            std::fprintf(stderr, "velmora-sim: %s: %s\n", options.input.c_str(), why.c_str());
            return 1;
        }
    } else if (practice >= 0) {
        sim.Practice(practice, World::kStartOptions);
    }
    WeavingBot weave;
    BlindBot blind;
    CarefulBot careful;
    SectionRecord sections;
    bool shotsFailed = false;
    while (!sim.Over() && sim.Steps() < options.steps) {
        PadState pad;
        if (replay) {
            // the replay's own steps
        } else if (!options.input.empty()) {
            if (steps.Finished()) break;
            steps.Fill(pad);
        } else if (sim.AtTitle()) {
            pad.buttons[kButtonFire] = sim.Steps() % 2 == 1;  // press START, let go, again
        } else {
            pad = options.bot == "blind"     ? blind.Play(sim.GetWorld())
                  : options.bot == "careful" ? careful.Play(sim.GetWorld())
                                             : weave.Play(sim.GetWorld());
        }
        sim.Step(pad);
        sections.Step(sim);
        if (sim.Steps() % options.every == 0) {
            std::printf("%s\n", sim.Report().c_str());
            hashes << sim.Steps() << ' ' << std::hex << HashWorld(sim.GetWorld()) << std::dec
                   << '\n';
        }
        if (!options.shots.empty() && options.at.count(sim.Steps())) {
            std::string file = options.shots + "/step" + std::to_string(sim.Steps()) + ".png";
            if (!SaveFrame(sim.App(), file)) {
                std::fprintf(stderr, "velmora-sim: %s not written\n", file.c_str());
                shotsFailed = true;
            }
        }
    }
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    if (!options.record.empty()) {
        const Replay* game = sim.App().LastGame();
        if (!game) {
            std::fprintf(stderr, "velmora-sim: no game ended, so none was recorded\n");
            return 1;
        }
        Replay kept = *game;
        kept.modelsHash = HashModels(mediaDir);
        std::string why;
        if (!WriteFileAtomically(options.record, ReplayToText(kept), why)) {
            std::fprintf(stderr, "velmora-sim: cannot write %s: %s\n", options.record.c_str(),
                         why.c_str());
            return 1;
        }
    }

    std::printf("%s\n", sim.Report().c_str());
    const Simulation::Milestones& m = sim.Reached();
    if (!options.hashes.empty()) {
        std::ostringstream out;
        out << hashes.str() << sim.Steps() << ' ' << std::hex << HashWorld(sim.GetWorld())
            << std::dec << '\n'
            << "boss-entry " << m.bossEntry << "\ngame-clear " << m.gameClear << "\ngame-over "
            << m.gameOver << "\nback-to-title " << m.backToTitle << '\n';
        std::string why;
        if (!WriteFileAtomically(options.hashes, out.str(), why)) {
            std::fprintf(stderr, "velmora-sim: cannot write %s: %s\n", options.hashes.c_str(),
                         why.c_str());
            return 1;
        }
    }
    PrintMilestone("boss entry", m.bossEntry);
    PrintMilestone("game clear", m.gameClear);
    PrintMilestone("game over", m.gameOver);
    PrintMilestone("back to title", m.backToTitle);
    sections.Print();
    if (replay) {
        std::printf("replay           %s\n",
                    sim.App().ReplayMatched() ? "ended as recorded" : "did not end as recorded");
    }
    std::printf("simulated %d steps (%s of play) in %.2f s\n", sim.Steps(),
                StepsAsClock(sim.Steps()).c_str(), took.count());
    return shotsFailed || (replay && !sim.App().ReplayMatched()) ? 1 : 0;
}
