#include <ctime>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "media/MediaFiles.h"
#include "script/StageHost.h"
#include "script/StageScript.h"
#include "support/TempDir.h"

namespace {

std::string Media() {
    return media_files::Dir().string() + "/";
}

// Stages that bring enemies in are only read here, never run.
struct RecordingHost : StageHost {
    World& Field() override { throw std::logic_error("no field"); }
    void PlayMusic(const MusicChoice& piece) override { calls.push_back("play " + Named(piece)); }
    void FadeOutMusic(int frames) override { calls.push_back("fade " + std::to_string(frames)); }
    void GameOver() override { calls.push_back("gameover"); }
    void BossFightBegins(bool endsStage) override {
        calls.push_back(endsStage ? "stage boss" : "boss");
    }
    void ClearStage(const MusicChoice& piece) override { calls.push_back("clear " + Named(piece)); }
    static std::string Named(const MusicChoice& piece) {
        return piece.pack >= 0 ? AssetAt(AssetKind::Music, piece.pack).handle : piece.file;
    }
    std::vector<std::string> calls;
};

class ScriptFixture : public ::testing::Test {
protected:
    StageScript& Load(const std::string& text) {
        std::ofstream(dir / "script_easy.txt", std::ios::binary) << text;
        script = std::make_unique<StageScript>(dir / "script_easy.txt", Media(), host);
        return *script;
    }
    // What each command is, as the script's own words.
    std::vector<std::string> Commands() const {
        std::vector<std::string> out;
        for (int i = 0; i < script->Count(); ++i) {
            const ScriptCommand& c = script->At(i);
            if (auto* s = dynamic_cast<const SpawnCommand*>(&c)) {
                out.push_back("teki " + s->kind.name + " " + Number(s->x));
            } else if (auto* b = dynamic_cast<const BossCommand*>(&c)) {
                out.push_back((b->endsStage ? "teki " : "boss ") + b->boss.name + " " +
                              Number(b->x));
            } else if (auto* s = dynamic_cast<const SleepCommand*>(&c)) {
                out.push_back("sleep " + std::to_string(s->frames));
            } else if (auto* p = dynamic_cast<const PlayCommand*>(&c)) {
                out.push_back("play " + (p->piece ? RecordingHost::Named(*p->piece) : "none"));
            } else if (auto* e = dynamic_cast<const ClearCommand*>(&c)) {
                out.push_back("clear " + (e->piece ? RecordingHost::Named(*e->piece) : "none"));
            } else if (auto* f = dynamic_cast<const FadeOutCommand*>(&c)) {
                out.push_back("fadeout " + std::to_string(f->frames));
            } else if (dynamic_cast<const GameOverCommand*>(&c)) {
                out.push_back("gameover");
            }
        }
        return out;
    }
    static std::string Number(float x) {
        std::string s = std::to_string(x);
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') s.pop_back();
        return s;
    }
    using Lines = std::vector<std::string>;

    TempDir dir{"script"};
    RecordingHost host;
    std::unique_ptr<StageScript> script;
};

// The most memory the process has held, in kB.
long PeakResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    }
    return 0;
}

}  // namespace

TEST_F(ScriptFixture, LinesBecomeCommandsByTheirFirstThreeTokensOutsideComments) {
    Load(
        "teki obj1 10\n"
        "teki boss -12.5 remark\n"
        "teki obj1\r\n"    // no number: x = 0; a line end from elsewhere
        "teki obj7 10\n"   // no such kind
        "Teki obj1 10\n"   // keywords are case-sensitive
        "teki OBJ1 10\n"   // so are kinds
        " teki obj1 10\n"  // token 0 is empty
        "sleep 60\n"
        "sleep  60\n"  // two spaces: token 1 is empty
        "sleep 1.9\n"  // integers stop at the point
        "play 4 x\n"
        "fadeout 60\n"
        "gameover now\n"
        "teki big4 1e1\n"
        "teki big5 2,5\n"  // no decimal comma, whatever the locale
        "unknown 1\n"
        "\n"
        "/*\n"  // comments open and close only at the first token
        "play 1\n"
        "*/ closing remark\n"
        "/* play 2\n"
        "*/\n"
        "play 3 /* not a comment\n"
        "sleep 5 */\n"
        "play 7");  // a last line without an end still counts
    EXPECT_EQ(Commands(),
              (Lines{"teki obj1 10", "teki boss -12.5", "teki obj1 0", "sleep 60", "sleep 0",
                     "sleep 1", "play qz_bossbattle1", "fadeout 60", "gameover", "teki big4 10",
                     "teki big5 2", "play qz_disky", "sleep 5", "play qz_disky"}));
}

TEST_F(ScriptFixture, EmptyMissingGarbageAndOverlongLinesGiveFewOrNoCommands) {
    EXPECT_EQ(Load("").Count(), 0);
    StageScript missing("/nonexistent/velmora/script_easy.txt", Media(), host);
    EXPECT_EQ(missing.Count(), 0);
    EXPECT_EQ(Load(std::string("play\0 1\n\xff\xfe gameover\nteki \x80 3\n", 29)).Count(), 0);
    Load("play 0\n" + std::string(2000, 'x') + "\nplay 1\n");  // the reading ends there
    EXPECT_EQ(Commands(), (Lines{"play qz_disky"}));
}

TEST_F(ScriptFixture, CommandsBetweenSleepsRunInOneFrame) {
    StageScript& s = Load("play 0\nplay 1\nsleep 3\nplay 2\nsleep 0\nplay 3\nsleep 1\nplay 4\n");
    s.Tick();
    EXPECT_EQ(host.calls, (Lines{"play qz_disky", "play qz_megami(or)"}));
    s.Tick();
    s.Tick();
    EXPECT_EQ(host.calls.size(), 2u);
    s.Tick();  // three frames after the sleep: sleep 0 waits for nothing
    EXPECT_EQ(host.calls,
              (Lines{"play qz_disky", "play qz_megami(or)", "play qz_disky", "play qz_disky"}));
    s.Tick();  // sleep 1: exactly one frame later
    EXPECT_EQ(host.calls.back(), "play qz_bossbattle1");
    s.Tick();  // the end stays the end
    EXPECT_EQ(host.calls.size(), 5u);
    EXPECT_EQ(s.Position(), s.Count());
}

TEST_F(ScriptFixture, NegativeSleepsAndHaltsStopUntilResumedOrReset) {
    StageScript& s = Load("play 0\nsleep -1\nplay 1\n");
    for (int i = 0; i < 100; ++i)
        s.Tick();
    EXPECT_EQ(host.calls, (Lines{"play qz_disky"}));
    s.Resume();
    s.Tick();
    EXPECT_EQ(host.calls, (Lines{"play qz_disky", "play qz_megami(or)"}));

    s.Reset();
    s.Halt();
    s.Tick();
    EXPECT_EQ(host.calls.size(), 2u);
    s.Resume();
    s.Tick();  // from the top again: a new game replays the stage
    EXPECT_EQ(host.calls.size(), 3u);
    EXPECT_EQ(host.calls.back(), "play qz_disky");
}

TEST_F(ScriptFixture, BlankLinesCostNothingEvenAFileFullOfThem) {
#if defined(__SANITIZE_ADDRESS__)
    // Every byte checked costs ten times over, more with another test beside it.
    constexpr double kSecondsAllowed = 12.0;
#else
    constexpr double kSecondsAllowed = 4.0;
#endif
    std::string text(16 * 1000 * 1000, '\n');
    text += "play 1\ngameover\n";
    long peak = PeakResidentKb();
    std::clock_t start = std::clock();
    Load(text);
    double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    // The file's bytes, not a line record each (that took half a gigabyte).
    EXPECT_LT(PeakResidentKb() - peak, 64 * 1024);
    EXPECT_LT(seconds, kSecondsAllowed);  // processor time; a tenth of it in a release build
    EXPECT_EQ(Commands(), (Lines{"play qz_megami(or)", "gameover"}));
}

TEST_F(ScriptFixture, NamesAndSectionsStandBesideTheCommandsAndChangeNothingTheyDo) {
    const std::string plain =
        "play 0\nsleep 60\nteki obj1 5\nfadeout 30\nplay 4\nsleep 10\nteki boss 0\n";
    uint64_t fingerprint = Load(plain).Fingerprint();
    EXPECT_EQ(Load(plain).PracticeStarts().size(), 2u);
    std::vector<StageSection> starts = script->PracticeStarts();
    EXPECT_EQ(starts[0].name, "START");
    EXPECT_EQ(starts[1].name, "BOSS");
    EXPECT_EQ(starts[1].command, 6);

    StageScript& named = Load(
        "stage My Own Stage\n"
        "stage Another Name\n"  // the first counts
        "play 0\n"
        "sleep 60\n"
        "section The Divers\n"
        "teki obj1 5\n"
        "/*\n"
        "section Hidden\n"  // in a comment: no section
        "*/\n"
        "section\n"  // no name: none either
        "section The Boss\n"
        "fadeout 30\n"
        "play 4\n"
        "sleep 10\n"
        "teki boss 0\n");
    EXPECT_EQ(named.Name(), "My Own Stage");
    EXPECT_EQ(named.Fingerprint(), fingerprint);  // what it plays is the same
    EXPECT_EQ(Commands(), (Lines{"play qz_disky", "sleep 60", "teki obj1 5", "fadeout 30",
                                 "play qz_bossbattle1", "sleep 10", "teki boss 0"}));
    starts = named.PracticeStarts();
    ASSERT_EQ(starts.size(), 3u);  // the start comes first: no section is there
    EXPECT_EQ(starts[0].name, "START");
    EXPECT_EQ(starts[1].name, "The Divers");
    EXPECT_EQ(starts[1].line, 5);
    EXPECT_EQ(starts[1].command, 2);
    EXPECT_EQ(starts[2].command, 3);

    // What plays from there: the last piece started before, faded or not.
    EXPECT_EQ(named.MusicBefore(0).piece, nullptr);
    EXPECT_EQ(named.MusicBefore(2).piece->pack, 0);
    EXPECT_FALSE(named.MusicBefore(2).fadedOut);
    EXPECT_TRUE(named.MusicBefore(4).fadedOut);
    EXPECT_EQ(named.MusicBefore(5).piece->pack, 2);
    EXPECT_FALSE(named.MusicBefore(5).fadedOut);

    // Started there, the timeline runs on from that command.
    named.StartAt(starts[2].command);
    named.Tick();
    EXPECT_EQ(host.calls, (Lines{"fade 30", "play qz_bossbattle1"}));

    EXPECT_NE(Load(plain + "sleep 1\n").Fingerprint(), fingerprint);
    EXPECT_NE(Load("play 0\nsleep 61\nteki obj1 5\nfadeout 30\nplay 4\nsleep 10\nteki boss 0\n")
                  .Fingerprint(),
              fingerprint);
    EXPECT_NE(Load("").Fingerprint(), fingerprint);
}

TEST(PracticeStarts, AreNamedByNumberOrByNameInAnyCase) {
    std::vector<StageSection> starts = {
        {"FIRST CONTACT", 1, 0}, {"The Boss", 9, 40}, {"7", 12, 50}};
    EXPECT_EQ(FindPracticeStart(starts, "the boss"), 1);
    EXPECT_EQ(FindPracticeStart(starts, "First Contact"), 0);
    EXPECT_EQ(FindPracticeStart(starts, "2"), 1);
    EXPECT_EQ(FindPracticeStart(starts, "7"), 2);  // a name before a number
    EXPECT_EQ(FindPracticeStart(starts, "4"), -1);
    EXPECT_EQ(FindPracticeStart(starts, "0"), -1);
    EXPECT_EQ(FindPracticeStart(starts, "boss"), -1);
    EXPECT_EQ(FindPracticeStart(starts, ""), -1);
}

// Replays kept before stages had names and sections carry a fingerprint of the
// file's bytes: adding those lines must not turn them away.
TEST_F(ScriptFixture, TheFirstFormatsFingerprintSkipsOnlyNameAndSectionLines) {
    const std::string before = "/* remark */\nplay 0\r\nsleep 60\nteki obj1 5\n";
    Load(before);
    uint64_t old = FirstFormatFingerprint(dir / "script_easy.txt");
    Load(
        "stage FIRST\n/* remark */\nsection ONE\nplay 0\r\nsection TWO\r\nsleep 60\nteki obj1 5\n");
    EXPECT_EQ(FirstFormatFingerprint(dir / "script_easy.txt"), old);
    Load("/* remark! */\nplay 0\r\nsleep 60\nteki obj1 5\n");
    EXPECT_NE(FirstFormatFingerprint(dir / "script_easy.txt"), old);
    EXPECT_NE(FirstFormatFingerprint(dir / "missing.txt"), old);
}
