// How tokens and numbers of a stage line read is the stage script's tests' to
// judge; here what those cannot show.
#include <locale>

#include <gtest/gtest.h>

#include "util/StringUtil.h"

TEST(GetDirectory, KeepsTheFolderWithItsSlash) {
    EXPECT_EQ(GetDirectory("/opt/velmora//Media/Model/ship.x"), "/opt/velmora//Media/Model/");
    EXPECT_EQ(GetDirectory("ship.x"), "");
    EXPECT_EQ(GetDirectory("/home/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0/ship.x"),
              "/home/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0/");
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
