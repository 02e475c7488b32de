// A replay as text: what it keeps, what older replays become, what it refuses,
// and the game program refusing one that was played on something else.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "script/StageReader.h"

#include <sys/stat.h>

#include "game/Replay.h"
#include "media/MediaFiles.h"
#include "script/StageScript.h"
#include "support/Programs.h"
#include "support/TempDir.h"

namespace {

std::string RandomState() {
    std::ostringstream random;
    random << std::mt19937{};
    return random.str();
}

Replay Sample() {
    Replay r;
    r.version = "0.1 (v0.1-7-gabc1234)";
    r.stageName = "MY STAGE";
    r.stageFile = "/home/me/my stage.txt";
    r.stageHash = 0x0123456789abcdefull;
    r.modelsHash = 0xfedcba9876543210ull;
    r.level = "HARD";
    r.practice = true;
    r.section = "BOSS";
    r.startOptions = 7;
    r.finished = false;
    r.highScore = "000000004000";
    r.random = RandomState();
    r.toggleLatch = true;
    r.score = "000000101730";
    r.fieldHash = 0x1986958d6582b48bull;
    r.input = {{3, PadFromText("RZ")},
               {1, PadState{}},
               {2, PadFromText("LZ")},
               {1, PadFromText("UDXCVBS")}};
    return r;
}

// Every field the game keeps, compared one by one.
void ExpectSame(const Replay& a, const Replay& b) {
    EXPECT_EQ(a.version, b.version);
    EXPECT_EQ(a.stageName, b.stageName);
    EXPECT_EQ(a.stageFile, b.stageFile);
    EXPECT_EQ(a.stageHash, b.stageHash);
    EXPECT_EQ(a.modelsHash, b.modelsHash);
    EXPECT_EQ(a.level, b.level);
    EXPECT_EQ(a.practice, b.practice);
    EXPECT_EQ(a.section, b.section);
    EXPECT_EQ(a.startOptions, b.startOptions);
    EXPECT_EQ(a.finished, b.finished);
    EXPECT_EQ(a.highScore, b.highScore);
    EXPECT_EQ(a.random, b.random);
    EXPECT_EQ(a.toggleLatch, b.toggleLatch);
    EXPECT_EQ(a.score, b.score);
    EXPECT_EQ(a.fieldHash, b.fieldHash);
    ASSERT_EQ(a.input.size(), b.input.size());
    for (std::size_t i = 0; i < a.input.size(); ++i) {
        EXPECT_EQ(a.input[i].steps, b.input[i].steps) << i;
        EXPECT_EQ(a.input[i].pad, b.input[i].pad) << i;
    }
}

std::optional<Replay> Read(const std::string& text) {
    std::string why;
    std::optional<Replay> replay = ReplayFromText(text, why);
    EXPECT_TRUE(replay) << why;
    return replay;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

}  // namespace

// The written form is what kept files and other programs rely on.
TEST(ReplayFile, IsWrittenLineByLineInItsOrder) {
    Replay r = Sample();
    r.stageFile.clear();
    r.section.clear();
    r.practice = false;
    r.finished = true;
    std::string text = ReplayToText(r);
    std::string header = text.substr(0, text.find("high-score "));
    EXPECT_EQ(header,
              "velmora replay 3\n"
              "version 0.1 (v0.1-7-gabc1234)\n"
              "stage-name MY STAGE\n"
              "stage -\n"
              "stage-hash 123456789abcdef\n"
              "models-hash fedcba9876543210\n"
              "level HARD\n"
              "practice 0\n"
              "section\n"
              "options 7\n"
              "finished 1\n");
    std::string rest = text.substr(header.size());
    EXPECT_EQ(rest.substr(rest.find("\nscore ") + 1),
              "score 000000101730\n"
              "field-hash 1986958d6582b48b\n"
              "steps 7\n"
              "3 RZ\n"
              "1 \n"
              "2 LZ\n"
              "1 UDXCVBS\n");
}

TEST(ReplayFile, ReadsBackEveryFieldAndAnyByteOfTheStagesPath) {
    Replay r = Sample();
    std::string text = ReplayToText(r);
    EXPECT_TRUE(LooksLikeReplay(text));
    std::optional<Replay> back = Read(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->format, kReplayFormat);
    ExpectSame(*back, r);
    EXPECT_EQ(ReplayToText(*back), text);

    // A path may hold any byte but the null; a file named "-" is not the delivered stage.
    std::string bytes;
    for (int c = 1; c < 256; ++c)
        bytes += static_cast<char>(c);
    for (std::string path : {std::string("/tmp/a\nb\r%41%\x7f.txt"), "/tmp/" + bytes,
                             std::string("-"), std::string("%2D"), std::string(" /x ")}) {
        r.stageFile = path;
        r.section = path;  // any name survives as well
        text = ReplayToText(r);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 17 + 4) << path;
        back = Read(text);
        ASSERT_TRUE(back) << path;
        EXPECT_EQ(back->stageFile, path);
        EXPECT_EQ(back->section, path);
    }
    r.stageFile.clear();
    back = Read(ReplayToText(r));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->stageFile, "");

    // The one in the fuzzer's corpus.
    std::ifstream kept(std::string(VELMORA_TEST_DATA) + "/texts/practice.replay");
    text.assign(std::istreambuf_iterator<char>(kept), std::istreambuf_iterator<char>());
    back = Read(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->stageFile, "/tmp/demo/a%b\nstage.txt");
    EXPECT_TRUE(back->practice && !back->finished);
    EXPECT_EQ(back->startOptions, 10);
}

TEST(ReplayFile, ReadsWithWindowsLineEnds) {
    std::string text = ReplayToText(Sample()), crlf;
    for (char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::optional<Replay> back = Read(crlf);
    ASSERT_TRUE(back);
    ExpectSame(*back, Sample());
}

// Replays of the first format: the stage as typed, the level EASY, the whole
// game, two options, finished; where the stick stood is read and ignored.
TEST(ReplayFile, AReplayOfTheFirstFormatReadsAsTheGameWasThen) {
    const std::string header = "velmora replay 1\nversion 0.1 (56485eb)\nstage ";
    const std::string rest =
        "\nstage-hash 9cc34be87fc828d5\nmodels-hash 3782692255799800\n"
        "high-score 000000000000\nlatch 0\nrandom " +
        RandomState() +
        "\nscore 000000000980\nfield-hash 89a3a6a564131f3a\nsteps 4\n"
        "2 LZ@-0.35,0.5\n1 Z\n1 @0.9,0\n";
    std::optional<Replay> old = Read(header + "stages/my%41 stage.txt" + rest);
    ASSERT_TRUE(old);
    EXPECT_EQ(old->format, 1);
    EXPECT_EQ(old->stageFile, "stages/my%41 stage.txt");
    EXPECT_EQ(old->stageName, "");
    EXPECT_EQ(old->level, "EASY");
    EXPECT_FALSE(old->practice);
    EXPECT_EQ(old->section, "");
    EXPECT_EQ(old->startOptions, 2);
    EXPECT_TRUE(old->finished);
    ASSERT_EQ(old->input.size(), 3u);
    EXPECT_EQ(old->input[0].pad, PadFromText("LZ"));
    EXPECT_EQ(old->input[2].pad, PadState{});
    // Written again, it is a replay of today's format that says the same.
    std::optional<Replay> again = Read(ReplayToText(*old));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->format, kReplayFormat);
    ExpectSame(*again, *old);

    std::optional<Replay> delivered = Read(header + "-" + rest);
    ASSERT_TRUE(delivered);
    EXPECT_EQ(delivered->stageFile, "");

    // The one the game kept before the second format, in the fuzzer's corpus.
    std::ifstream kept(std::string(VELMORA_TEST_DATA) + "/texts/kept.replay");
    std::string text((std::istreambuf_iterator<char>(kept)), std::istreambuf_iterator<char>());
    std::optional<Replay> corpus = Read(text);
    ASSERT_TRUE(corpus);
    EXPECT_EQ(corpus->stageFile, "/tmp/demo/stage.txt");
    EXPECT_EQ(CountSteps(corpus->input), 1272);
}

TEST(ReplayFile, AnythingButAWholeReplayIsRefusedWithItsReason) {
    std::string good = ReplayToText(Sample());
    auto refusal = [](const std::string& text) {
        std::string why;
        bool read = ReplayFromText(text, why).has_value();
        return read ? std::string("read") : why;
    };
    EXPECT_EQ(refusal(""), "not a Velmora replay");
    EXPECT_EQ(refusal("3 RZ\n1 \n"), "not a Velmora replay");  // steps without a header
    EXPECT_EQ(refusal(Replace(good, "replay 3", "replay 4")),
              "the replay was made by a newer version of the game");
    EXPECT_TRUE(IsNewerReplay(Replace(good, "replay 3", "replay 12")));
    EXPECT_FALSE(IsNewerReplay(good));
    EXPECT_EQ(refusal(good.substr(0, good.find("\nscore ") + 1)),
              "the replay's \"score\" line is missing");
    EXPECT_EQ(refusal(Replace(good, "stage-hash 123456789abcdef", "stage-hash xyz")),
              "the replay's \"stage-hash\" line is damaged");
    EXPECT_EQ(refusal(Replace(good, "high-score 000000004000", "high-score 4000")),
              "the replay's \"high-score\" line is damaged");
    EXPECT_EQ(refusal(Replace(good, "options 7", "options 11")),
              "the replay's \"options\" line is damaged");
    EXPECT_EQ(refusal(Replace(good, "level HARD", "level %4x")),
              "the replay's \"level\" line is damaged");
    EXPECT_EQ(refusal(Replace(good, "finished 0", "finished no")),
              "the replay's \"finished\" line is damaged");
    EXPECT_EQ(refusal(Replace(good, "stage /home/me/my stage.txt", "stage /home/%4")),
              "the replay's \"stage\" line is damaged");
    EXPECT_EQ(refusal(Replace(good, "stage /home/me/my stage.txt", "stage")),
              "the replay's \"stage\" line is damaged");
    std::string random = good.substr(good.find("random "));
    random = random.substr(0, random.find('\n'));
    EXPECT_EQ(refusal(Replace(good, random, "random 1 2 3")),
              "the replay's \"random\" line is damaged");
    EXPECT_EQ(refusal(Replace(good, random, random + "0")),  // a position past its words
              "the replay's \"random\" line is damaged");
    EXPECT_EQ(refusal(Replace(good, "steps 7", "steps 99999999999999999999")),
              "the replay's \"steps\" line is damaged");

    // Steps fewer or more than the header says, each called what it is.
    EXPECT_EQ(refusal(Replace(good, "steps 7", "steps 8")), "the replay holds 7 of its 8 steps");
    EXPECT_EQ(refusal(good.substr(0, good.rfind("1 UD"))), "the replay holds 6 of its 7 steps");
    EXPECT_EQ(refusal(Replace(good, "steps 7", "steps 6")),
              "the replay holds more than the 6 steps its header says");
    EXPECT_EQ(refusal(good + "100000 Z\n"),
              "the replay holds more than the 7 steps its header says");
    EXPECT_EQ(refusal(Replace(good, "2 LZ", "2x LZ")), "the replay's line 20 is not a step");
    EXPECT_EQ(refusal(good), "read");
}

// The start of a file tells what the list shows, without its steps.
TEST(ReplayFile, ItsHeaderReadsFromTheStartOfTheFileAlone) {
    Replay r = Sample();
    r.input.assign(20000, PadRun{1, PadState{}});
    for (std::size_t i = 0; i < r.input.size(); i += 2)
        r.input[i].pad = PadFromText("LZ");
    std::string text = ReplayToText(r);
    ASSERT_GT(text.size(), kReplayHeaderBytes);
    long steps = 0;
    std::string why;
    std::optional<Replay> header =
        ReplayHeaderFromText(std::string_view(text).substr(0, kReplayHeaderBytes), steps, why);
    ASSERT_TRUE(header) << why;
    EXPECT_EQ(steps, 20000);
    EXPECT_EQ(header->level, "HARD");
    EXPECT_EQ(header->score, r.score);
    EXPECT_TRUE(header->input.empty());
    // Cut inside the header, even at a line's end, it says nothing.
    std::size_t random = text.find("random ");
    for (std::size_t cut : {random + 100, text.find('\n', random), text.find("steps 2") + 7}) {
        EXPECT_FALSE(ReplayHeaderFromText(std::string_view(text).substr(0, cut), steps, why))
            << cut;
    }
}

TEST(ReplayFile, AReplayOfAStageThatIsNotTheOneItWasPlayedOnIsRefusedWithWhy) {
    std::string media = media_files::Dir().string() + "/";
    TempDir dir("replay_mismatch");
    Replay r = Sample();
    r.modelsHash = HashModels(media);

    r.stageFile.clear();  // the game's own stage, but it was another text then
    EXPECT_NE(ReplayMismatch(r, media).find("has changed since the game was played on it"),
              std::string::npos);
    r.stageHash = ReadStage(media + "script_easy.txt", media).fingerprint;
    EXPECT_EQ(ReplayMismatch(r, media), "the stage has no section BOSS any more");
    r.section = "the boss";
    EXPECT_EQ(ReplayMismatch(r, media), "");
    // A replay kept before kinds had names knew the stage by their places in the game's table.
    r.format = 2;
    EXPECT_NE(ReplayMismatch(r, media), "");
    r.stageHash = ReadStage(media + "script_easy.txt", media).oldFingerprint;
    EXPECT_EQ(ReplayMismatch(r, media), "");
    r.format = kReplayFormat;
    r.stageHash = ReadStage(media + "script_easy.txt", media).fingerprint;
    r.level = "LUNATIC";
    EXPECT_NE(ReplayMismatch(r, media).find("a level this game does not have"), std::string::npos);
    r.level = "HARD";
    r.modelsHash ^= 1;
    EXPECT_NE(ReplayMismatch(r, media).find("the models in"), std::string::npos);
    r.modelsHash ^= 1;

    // Stages that cannot be read all fingerprint alike: none is taken for the one played.
    mkfifo((dir / "fifo").c_str(), 0600);
    std::filesystem::create_directory(dir / "folder");
    std::filesystem::create_symlink(dir / "loop", dir / "loop");
    for (const std::string& path : {dir / "missing.txt", dir / "fifo", dir / "folder", dir / "loop",
                                    std::string("/dev/zero")}) {
        r.stageFile = path;
        r.stageHash = ReadStage(path, media).fingerprint;
        std::string why = ReplayMismatch(r, media);
        EXPECT_NE(why.find("cannot be read"), std::string::npos) << path << ": " << why;
        EXPECT_EQ(why.find_first_of("\n\x1b"), std::string::npos) << why;
    }
    r.stageFile = "stages/mine.txt";  // as a replay of the first format may name it
    EXPECT_NE(ReplayMismatch(r, media).find("the folder the game was started in"),
              std::string::npos);
}

// A stage the catalogue would refuse is refused here too, with the catalogue's
// reason, though what it plays (its fingerprint) did not change: a NUL byte in
// a comment, or comments that took it past what a stage may be. The simulator
// then says why once and plays nothing, on no other stage either.
TEST(ReplayFile, AStageTheCatalogueRefusesIsRefusedBeforeItPlaysWithItsReason) {
    std::string media = media_files::Dir().string() + "/";
    TempDir dir("replay_one_rule");
    const std::string stage = dir / "mine.txt";
    std::ofstream(stage, std::ios::binary) << "play 0\nsleep 60\n";
    Replay r = Sample();
    r.section.clear();
    r.practice = false;
    r.modelsHash = HashModels(media);
    r.stageFile = stage;
    r.stageHash = ReadStage(stage, media).fingerprint;
    r.input = {{120, PadState{}}};
    ASSERT_EQ(ReplayMismatch(r, media), "");

    std::ofstream(stage, std::ios::binary) << std::string("play 0\nsleep 60 a \0 remark\n", 25);
    ASSERT_EQ(ReadStage(stage, media).fingerprint, r.stageHash);
    EXPECT_NE(ReplayMismatch(r, media).find("not a text file"), std::string::npos);
    std::ofstream(dir / "mine.replay") << ReplayToText(r);
    ProgramRun run = RunProgram(std::string(VELMORA_SIM) + " --media " + media + " --input " +
                                (dir / "mine.replay"));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("not a text file"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("its own way"), std::string::npos) << run.output;

    {
        std::ofstream big(stage, std::ios::binary);
        big << "play 0\n/*" << std::string(17 << 20, 'x') << "*/\nsleep 60\n";
    }
    EXPECT_NE(ReplayMismatch(r, media).find("too large"), std::string::npos)
        << ReplayMismatch(r, media);
}

TEST(ReplayFile, TheGameRefusesAReplayOfAnotherStageAndSaysWhy) {
    std::string dataDir = media_files::Dir().parent_path().string() + "/";
    std::string media = dataDir + "Media/";
    TempDir dir("replay_refused");
    Replay r = Sample();
    r.stageFile.clear();  // the game's own stage, but it was another text then
    r.modelsHash = HashModels(media);
    std::ofstream(dir / "other.replay") << ReplayToText(r);

    ProgramRun run = RunProgram(
        "env -u DISPLAY -u WAYLAND_DISPLAY XDG_CONFIG_HOME=" + dir.Path().string() + " " +
        VELMORA_GAME + " --datadir " + dataDir + " --replay " + (dir / "other.replay"));
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_NE(run.output.find("has changed since the game was played on it"), std::string::npos)
        << run.output;

    std::ofstream(dir / "garbage.replay") << "not a replay";
    run = RunProgram(std::string("env -u DISPLAY ") + VELMORA_GAME + " --replay " +
                     (dir / "garbage.replay"));
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("not a Velmora replay"), std::string::npos) << run.output;
}

// A recording that goes on after its game ended (a game over halfway through
// it), and one that stops before: the verdict is said once, though the silent
// run that finds the sections came to the end first.
TEST(ReplayFile, AReplayThatEndsBeforeOrAfterItsRecordingIsJudgedOnce) {
    TempDir dir("replay_verdict");
    std::string text = FileText(std::string(VELMORA_TEST_DATA) + "/replay/hard.replay");
    std::size_t at = text.find("\nsteps ");
    ASSERT_NE(at, std::string::npos);
    long steps = std::stol(text.substr(at + 7));
    std::string head = text.substr(0, at + 1), runs = text.substr(text.find('\n', at + 1) + 1);
    std::ofstream(dir / "longer.replay") << head << "steps " << steps + 2000 << "\n"
                                         << runs << "2000 Z@0,0\n";
    std::ofstream(dir / "shorter.replay") << head << "steps 600\n600 Z@0,0\n";
    for (const char* name : {"longer.replay", "shorter.replay"}) {
        ProgramRun run = RunProgram(std::string(VELMORA_SIM) + " --input " + (dir / name));
        int said = 0;
        for (std::size_t p = run.output.find("velmora: the replay"); p != std::string::npos;
             p = run.output.find("velmora: the replay", p + 1))
            ++said;
        EXPECT_EQ(said, 1) << name << ":\n" << run.output;
    }
}
