#include <gtest/gtest.h>

#include "world/DigitCounter.h"

TEST(DigitCounter, AddsWithCarryAndWrapsAtItsWidth) {
    DigitCounter c(12);
    EXPECT_EQ(c.Text(), "000000000000");
    c.Add(95);
    c.Add(7);
    EXPECT_EQ(c.Text(), "000000000102");
    c.Set(999999999999);
    c.Add(1);
    EXPECT_EQ(c.Text(), "000000000000");
    c.Set(999999999990);
    c.Add(25);
    EXPECT_EQ(c.Text(), "000000000015");
    c.Add(0);
    c.Add(-5);
    EXPECT_EQ(c.Text(), "000000000015");
}

TEST(DigitCounter, SetKeepsTheLowestDigits) {
    DigitCounter c(4);
    c.Set(123456);
    EXPECT_EQ(c.Text(), "3456");
    c.Set(7);
    EXPECT_EQ(c.Text(), "0007");
    c.Set(-3);
    EXPECT_EQ(c.Text(), "0000");
}

TEST(DigitCounter, TextIsReadLeftAlignedAndNonDigitsBecomeZero) {
    DigitCounter c(12);
    c.SetFromText("12a4");
    EXPECT_EQ(c.Text(), "120400000000");
    c.SetFromText("9");
    EXPECT_EQ(c.Text(), "920400000000");  // positions beyond the text keep their digits
    c.SetFromText("0000000123456789");
    EXPECT_EQ(c.Text(), "000000012345");
}

TEST(DigitCounter, CompareLooksAtTheFirstDifferentDigit) {
    DigitCounter a(12), b(12);
    EXPECT_EQ(a.Compare(b), 0);
    a.Set(100);
    b.Set(99);
    EXPECT_EQ(a.Compare(b), 1);
    EXPECT_EQ(b.Compare(a), -1);
    b.Copy(a);
    EXPECT_EQ(b.Text(), "000000000100");
    EXPECT_EQ(b.Compare(a), 0);
}
