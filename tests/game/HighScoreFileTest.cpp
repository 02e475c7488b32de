#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include "game/HighScoreFile.h"
#include "support/TempDir.h"
#include "world/DigitCounter.h"

namespace {

class HighScoreFixture : public ::testing::Test {
protected:
    static std::string ReadFrom(const HighScoreFile& from) {
        DigitCounter score(12);
        from.Read(score);
        return score.Text();
    }
    std::string ReadWith(const std::string& text) {
        std::ofstream(dir / "option.ini", std::ios::binary) << text;
        return ReadFrom(file);
    }
    static DigitCounter Score(long long value) {
        DigitCounter score(12);
        score.Set(value);
        return score;
    }

    TempDir dir{"highscore"};
    HighScoreFile file{dir / "option.ini", dir / "user/velmora/option.ini"};
};

}  // namespace

TEST_F(HighScoreFixture, TheFirstExactKeysValueIsReadLeftAlignedDigitByDigit) {
    const std::pair<std::string, std::string> cases[] = {
        {"HighScore=000000012345\n", "000000012345"},
        {"HighScore=123\n", "123000000000"},
        {"HighScore=12a45\n", "120450000000"},
        {"HighScore=000000012345\r\n", "000000012345"},  // from elsewhere
        {"HighScore=0000000000019999", "000000000001"},  // longer: cut
        {" HighScore=000000000001\n", "000000000000"},
        {"HighScore =000000000001\n", "000000000000"},
        {"highscore=000000000001\n", "000000000000"},
        {"Other=5\nHighScore=000000000002\nHighScore=000000000003\n", "000000000002"},
        {"", "000000000000"},
        {std::string("\0\xff=\n", 4), "000000000000"},
    };
    for (const auto& [text, score] : cases)
        EXPECT_EQ(ReadWith(text), score) << text;
}

TEST_F(HighScoreFixture, WritingLeavesExactlyOneLine) {
    std::ofstream(dir / "option.ini") << "Other=1\nHighScore=000000000009\nmore\n";
    ASSERT_TRUE(file.Write(Score(12345)));
    EXPECT_EQ(FileText(dir / "option.ini"), "HighScore=000000012345\n");
}

TEST_F(HighScoreFixture, AFolderOrFileThatCannotBeWrittenSendsTheScoreToTheUsersFolder) {
    HighScoreFile blocked(dir / "missing/option.ini", dir / "user/velmora/option.ini");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(blocked.Write(Score(777)));
    EXPECT_EQ(
        testing::internal::GetCapturedStderr(),
        "velmora: the high score is kept in " + dir / "user/velmora/option.ini" + " instead\n");
    EXPECT_EQ(FileText(dir / "user/velmora/option.ini"), "HighScore=000000000777\n");
    EXPECT_EQ(ReadFrom(blocked), "000000000777");
    EXPECT_FALSE(HighScoreFile(dir / "missing/option.ini", "").Write(Score(1)));

    // A read-only file stays as it is; at the next start the better of the two counts.
    std::ofstream(dir / "option.ini") << "HighScore=000000000100\n";
    std::filesystem::permissions(dir / "option.ini", std::filesystem::perms::owner_read |
                                                         std::filesystem::perms::group_read |
                                                         std::filesystem::perms::others_read);
    EXPECT_EQ(ReadFrom(file), "000000000777");
    ASSERT_TRUE(file.Write(Score(5000)));
    EXPECT_EQ(FileText(dir / "option.ini"), "HighScore=000000000100\n");
    EXPECT_EQ(FileText(dir / "user/velmora/option.ini"), "HighScore=000000005000\n");
    EXPECT_EQ(ReadFrom(file), "000000005000");
}

TEST_F(HighScoreFixture, SavesKeepTheBetterScoreInEitherOrderAndWhenTheyRace) {
    ASSERT_TRUE(file.Write(Score(960)));
    ASSERT_TRUE(file.Write(Score(9)));  // another game, started before the 960 was saved
    EXPECT_EQ(FileText(dir / "option.ini"), "HighScore=000000000960\n");
    ASSERT_TRUE(file.Write(Score(961)));
    EXPECT_EQ(FileText(dir / "option.ini"), "HighScore=000000000961\n");

    // Two games saving at the same moment, many times over: the best stays.
    std::filesystem::remove(dir / "option.ini");
    auto save = [this](long long from) {
        HighScoreFile own(dir / "option.ini", "");
        for (long long s = from; s < from + 40; ++s)
            EXPECT_TRUE(own.Write(Score(s % 2 ? 5000 + s : s)));
    };
    std::thread one(save, 0), other(save, 1000);
    one.join();
    other.join();
    EXPECT_EQ(FileText(dir / "option.ini"), "HighScore=000000006039\n");
}

TEST_F(HighScoreFixture, WhatAKilledSaveLeftIsRemovedByTheNext) {
    std::ofstream(dir / "option.ini.x3Yq9Z") << "HighScore=0000";
    std::ofstream(dir / "option.ini.keep") << "not ours";
    ASSERT_TRUE(file.Write(Score(7)));
    EXPECT_FALSE(std::filesystem::exists(dir / "option.ini.x3Yq9Z"));
    EXPECT_TRUE(std::filesystem::exists(dir / "option.ini.keep"));
    EXPECT_EQ(FileText(dir / "option.ini"), "HighScore=000000000007\n");
}

TEST_F(HighScoreFixture, WithOnlyTheUsersFileThatIsTheOneItsFolderMadeWhenFirstWritten) {
    HighScoreFile user("", dir / "user/velmora/option.ini");
    EXPECT_EQ(ReadFrom(user), "000000000000");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(user.Write(Score(900)));
    ASSERT_TRUE(user.Write(Score(5)));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(FileText(dir / "user/velmora/option.ini"), "HighScore=000000000900\n");
    EXPECT_EQ(ReadFrom(user), "000000000900");
    EXPECT_FALSE(std::filesystem::exists(dir / "option.ini"));

    HighScoreFile none("", "");
    EXPECT_TRUE(none.Write(Score(5)));
    EXPECT_EQ(ReadFrom(none), "000000000000");
}

TEST_F(HighScoreFixture, WhereTheScoreCannotBeKeptIsSaidOnce) {
    std::ofstream(dir / "home") << "a file where the folder would be";
    HighScoreFile nowhere("", dir / "home/.local/share/velmora/option.ini");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(nowhere.Write(Score(5)));
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("velmora: the high score is not kept: " + dir / "home/", 0), 0u) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
}
