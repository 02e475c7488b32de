#include <filesystem>
#include <fstream>
#include <locale>

#include <gtest/gtest.h>

#include "support/TempDir.h"

#include "util/StringUtil.h"

TEST(Token, CutsAtEverySeparatorAndRunsToTheEnd) {
    EXPECT_EQ(Token("a,b,,c", 0, ","), "a");
    EXPECT_EQ(Token("a,b,,c", 1, ","), "b");
    EXPECT_EQ(Token("a,b,,c", 2, ","), "");
    EXPECT_EQ(Token("a,b,,c", 3, ","), "c");
    EXPECT_EQ(Token("a,b,,c", 4, ","), "");
    EXPECT_EQ(Token("teki boss -12.5 remark", 2, " "), "-12.5");
    EXPECT_EQ(Token("sleep  60", 1, " "), "");
}

TEST(Token, ALineWithoutSeparatorIsItsOwnFirstToken) {
    EXPECT_EQ(Token("gameover", 0, " "), "gameover");
    EXPECT_EQ(Token("gameover", 1, " "), "");
    EXPECT_EQ(Token("gameover", 7, " "), "");
    EXPECT_EQ(Token("", 0, " "), "");
}

TEST(Find, NeverMatchesInsideAMultiByteCharacter) {
    // U+3042 is E3 81 82: a needle of its trail bytes must not be found.
    std::string s =
        "a\xE3\x81\x82"
        "b";
    EXPECT_EQ(Find(s, "\x81\x82"), -1);
    EXPECT_EQ(Find(s, "\xE3\x81\x82"), 1);
    EXPECT_EQ(Find(s, "b"), 4);
    EXPECT_EQ(ReverseFind(s, "\x82"), -1);
    EXPECT_TRUE(IsTrailPosition(s, 2));
    EXPECT_FALSE(IsTrailPosition(s, 1));
    EXPECT_FALSE(IsTrailPosition(s, 99));
}

TEST(Find, ANeedleLongerThanTheRestNeverMatches) {
    EXPECT_EQ(Find("abc", "bcd"), -1);
    EXPECT_EQ(Find("abc", "c"), 2);
    EXPECT_EQ(ReverseFind("abcabc", "bc"), 4);
    EXPECT_EQ(ReverseFind("abc", "abcd"), -1);
}

TEST(GetDirectory, KeepsTheFolderWithItsSlash) {
    EXPECT_EQ(GetDirectory("/opt/velmora//Media/Model/ship.x"), "/opt/velmora//Media/Model/");
    EXPECT_EQ(GetDirectory("ship.x"), "");
    EXPECT_EQ(GetDirectory("/home/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0/ship.x"),
              "/home/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0/");
}

TEST(Numbers, ReadTheLongestValidPrefix) {
    EXPECT_EQ(ToInt("12abc"), 12);
    EXPECT_EQ(ToInt("abc"), 0);
    EXPECT_EQ(ToInt(""), 0);
    EXPECT_EQ(ToInt("  -7"), -7);
    EXPECT_FLOAT_EQ(ToFloat(" 2.5"), 2.5f);
    EXPECT_FLOAT_EQ(ToFloat("1.5e1"), 15.0f);
    EXPECT_FLOAT_EQ(ToFloat("-12.5 remark"), -12.5f);
    EXPECT_FLOAT_EQ(ToFloat("ab12"), 0.0f);
}

namespace {
// A locale that writes 2,5 for two and a half and groups thousands with dots.
struct DecimalComma : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
};
}  // namespace

TEST(Numbers, DoNotDependOnTheProcessLocale) {
    std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new DecimalComma));
    float f = ToFloat("2.5");
    int32_t i = ToInt("1.234");
    std::locale::global(previous);
    EXPECT_FLOAT_EQ(f, 2.5f);
    EXPECT_EQ(i, 1);
}

TEST(FileExists, SeesFilesAndFolders) {
    TempDir temp("fileexists");
    const std::filesystem::path& dir = temp.Path();
    std::ofstream(dir / "a.ico") << "x";
    EXPECT_TRUE(FileExists((dir / "a.ico").string()));
    EXPECT_TRUE(FileExists(dir.string()));
    EXPECT_FALSE(FileExists((dir / "missing.ico").string()));
    EXPECT_FALSE(FileExists(""));
}
