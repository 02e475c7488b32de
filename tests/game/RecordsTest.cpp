// The records file and the old per-stage files moved into it: nothing a player
// kept is lost, made up or removed, whatever the files hold.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "game/Levels.h"
#include "game/Records.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

constexpr uint64_t kStage = 0x1234abcd;
constexpr const char* kKeyHard = "000000001234abcd.hard";

Records::Key Hard() {
    return {false, kStage, 0, &kLevels[2]};
}

// The old files' key: a player's stage at the first level, by its first fingerprint.
Records::Key Old(uint64_t firstFormat) {
    return {false, 0x99, firstFormat, &kLevels[0]};
}

struct RecordsTest : ::testing::Test {
    RecordsTest() { fs::create_directories(dir.Path() / "stages"); }

    // A run of the game: records read at its start, saved at its end, and
    // what it said on stderr.
    Records Start() {
        return Records(HighScoreFile("", dir / "option.ini"), dir / "records.ini", dir / "stages");
    }
    std::string RecordsFile() { return FileText(dir.Path() / "records.ini"); }
    void Write(const std::string& name, const std::string& text) {
        std::ofstream(dir.Path() / name, std::ios::binary) << text;
    }
    fs::path Old(const std::string& name) { return dir.Path() / "stages" / name; }

    TempDir dir{"records"};
};

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

}  // namespace

// A file that is there but cannot be read whole holds records nobody can see:
// a new record must not replace it with one line. It is said once, the file
// stays byte for byte, and the run's record holds in memory.
TEST_F(RecordsTest, AFileThatCannotBeReadWholeIsNeverReplaced) {
    const fs::path file = dir.Path() / "records.ini";
    for (int shape = 0; shape < 3; ++shape) {
        SCOPED_TRACE(shape);
        fs::remove_all(file);
        std::string before;
        if (shape == 0) {
            // Over a mebibyte: a thousand records and a long comment.
            before = std::string(kKeyHard) + "=000000500000\n# " + std::string(1 << 20, 'x') + "\n";
            Write("records.ini", before);
        } else if (shape == 1) {
            ASSERT_EQ(mkfifo(file.c_str(), 0644), 0);
        } else {
            if (geteuid() == 0) continue;  // root reads what its owner may not
            before = std::string(kKeyHard) + "=000000500000\n";
            Write("records.ini", before);
            fs::permissions(file, fs::perms::owner_write);
        }
        testing::internal::CaptureStderr();
        {
            Records records = Start();
            records.Offer(Hard(), "000000000700");
            EXPECT_EQ(records.Best(Hard()), "000000000700");
            records.Save();
            records.Save();
        }
        std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(Count(said, "records.ini"), 1) << said;
        if (shape == 1) {
            EXPECT_TRUE(fs::is_fifo(file));
        } else {
            fs::permissions(file, fs::perms::owner_all);
            EXPECT_EQ(RecordsFile(), before);
        }
    }
}

// Lines written by hand are read with blanks around the key and the score, a
// score of fewer digits counts, and a line that is no record stays as it was.
TEST_F(RecordsTest, HandWrittenLinesAreReadAndWhatIsNoRecordIsKept) {
    Write("records.ini",
          "# my notes\r\n"
          "000000001234abcd.hard=000000400000 \n"
          " 00000000deadbeef.normal = 2500\n"
          "00000000feedface.easy=lots\n"
          "not a record at all\n");
    {
        Records records = Start();
        EXPECT_EQ(records.Best(Hard()), "000000400000");
        EXPECT_EQ(records.Best({false, 0xdeadbeef, 0, &kLevels[1]}), "000000002500");
        records.Offer({false, 0x77, 0, &kLevels[1]}, "000000000100");
        records.Save();
    }
    std::string text = RecordsFile();
    for (const char* kept :
         {"# my notes\n", "00000000feedface.easy=lots\n", "not a record at all\n",
          "000000001234abcd.hard=000000400000\n", "00000000deadbeef.normal=000000002500\n",
          "0000000000000077.normal=000000000100\n"})
        EXPECT_EQ(Count(text, kept), 1) << kept << " in\n" << text;
    // Read again, the same records.
    Records again = Start();
    EXPECT_EQ(again.Best(Hard()), "000000400000");
}

// A record kept when stages were known by their kinds' places in the game's
// table still counts for the same stage, now known by its kinds' names; a
// better game is kept under the new name.
TEST_F(RecordsTest, ARecordKeptUnderTheOldFingerprintStillCounts) {
    Write("records.ini", "000000001234abcd.hard=000000400000\n");
    Records::Key now{false, 0x5678, 0, &kLevels[2], kStage};
    {
        Records records = Start();
        EXPECT_EQ(records.Best(now), "000000400000");
        records.Offer(now, "000000500000");
        records.Save();
    }
    Records again = Start();
    EXPECT_EQ(again.Best(now), "000000500000");
    EXPECT_EQ(Count(RecordsFile(), "0000000000005678.hard=000000500000\n"), 1);
}

// Through a link (a dotfiles folder) the file it leads to is written and the
// link stays; a link that leads nowhere is left alone with a word.
TEST_F(RecordsTest, ALinkIsWrittenThroughAndADanglingOneIsLeftAlone) {
    fs::create_directories(dir.Path() / "dotfiles");
    std::ofstream(dir.Path() / "dotfiles" / "records.ini") << kKeyHard << "=000000000500\n";
    fs::create_symlink(dir.Path() / "dotfiles" / "records.ini", dir.Path() / "records.ini");
    {
        Records records = Start();
        records.Offer({false, 0x55, 0, &kLevels[1]}, "000000000900");
        records.Save();
    }
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "records.ini"));
    std::string text = FileText(dir.Path() / "dotfiles" / "records.ini");
    EXPECT_EQ(Count(text, "=000000000500\n"), 1) << text;
    EXPECT_EQ(Count(text, "0000000000000055.normal=000000000900\n"), 1) << text;

    fs::remove(dir.Path() / "dotfiles" / "records.ini");
    testing::internal::CaptureStderr();
    {
        Records records = Start();
        records.Offer(Hard(), "000000000100");
        records.Save();
    }
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("leads nowhere"), std::string::npos) << said;
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "records.ini"));
    EXPECT_FALSE(fs::exists(dir.Path() / "dotfiles" / "records.ini"));
}

// The old per-stage files: a score is a whole number of at most twelve digits,
// the best of several lines counts, and only a file that holds a record is
// moved and removed.
TEST_F(RecordsTest, OldFilesMoveInOnlyAsTheScoresTheyHold) {
    std::ofstream(Old("short-0000000000000001.ini")) << "HighScore=5000\n";
    std::ofstream(Old("twice-0000000000000002.ini")) << "HighScore=000000000300\r\n"
                                                     << "HighScore = 000000000900\r\n";
    std::ofstream(Old("minus-0000000000000003.ini")) << "HighScore=-42\n";
    std::ofstream(Old("long-0000000000000004.ini")) << "HighScore=1234567890123\n";
    std::ofstream(Old("notes-0000000000000005.ini")) << "remember to buy milk\n";
    std::ofstream(Old("bytes-0000000000000006.ini"), std::ios::binary)
        << std::string("\0\xff\x01HighScore\0", 13);
    std::ofstream(Old("short-0000000000000001.ini.lock")).close();
    testing::internal::CaptureStderr();
    {
        Records records = Start();
        EXPECT_EQ(records.Best(::Old(1)), "000000005000");
        EXPECT_EQ(records.Best(::Old(2)), "000000000900");
        for (uint64_t refused : {3, 4, 5, 6})
            EXPECT_EQ(records.Best(::Old(refused)), "000000000000") << refused;
        records.Save();
    }
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("minus-0000000000000003.ini"), std::string::npos) << said;
    EXPECT_NE(said.find("long-0000000000000004.ini"), std::string::npos) << said;
    for (const char* gone : {"short-0000000000000001.ini", "short-0000000000000001.ini.lock",
                             "twice-0000000000000002.ini"})
        EXPECT_FALSE(fs::exists(Old(gone))) << gone;
    for (const char* kept : {"minus-0000000000000003.ini", "long-0000000000000004.ini",
                             "notes-0000000000000005.ini", "bytes-0000000000000006.ini"})
        EXPECT_TRUE(fs::exists(Old(kept))) << kept;
    std::string text = RecordsFile();
    EXPECT_EQ(Count(text, "first-format-0000000000000001=000000005000\n"), 1) << text;
    EXPECT_EQ(Count(text, "first-format-0000000000000002=000000000900\n"), 1) << text;
    EXPECT_EQ(Count(text, "first-format-"), 2) << text;
}

// With the records file read-only, the old files stay where they are, and
// that it cannot be kept is said once in a run, not at its start and its end.
TEST_F(RecordsTest, ARecordsFileThatCannotBeWrittenIsSaidOnceAndTheOldFilesStay) {
    Write("records.ini", "# mine\n");
    fs::permissions(dir.Path() / "records.ini", fs::perms::owner_read);
    std::ofstream(Old("mine-00000000000000aa.ini")) << "HighScore=000000004200\n";
    testing::internal::CaptureStderr();
    {
        Records records = Start();
        EXPECT_EQ(records.Best(::Old(0xaa)), "000000004200");
        records.Offer(Hard(), "000000000100");
        records.Save();
    }
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Count(said, "cannot be kept"), 1) << said;
    EXPECT_TRUE(fs::exists(Old("mine-00000000000000aa.ini")));
    EXPECT_EQ(RecordsFile(), "# mine\n");
}
