#include <gtest/gtest.h>

#include "world/DigitCounter.h"

TEST(DigitCounter, AddsWithCarryKeepsItsLowestDigitsAndComparesByTheFirstDifferentDigit) {
    DigitCounter c(12), d(12);
    c.Add(95);
    c.Add(7);
    EXPECT_EQ(c.Text(), "000000000102");
    d.Set(99);
    EXPECT_EQ(c.Compare(d), 1);
    EXPECT_EQ(d.Compare(c), -1);
    d.Copy(c);
    EXPECT_EQ(d.Compare(c), 0);
    c.Set(999999999990);
    c.Add(25);
    EXPECT_EQ(c.Text(), "000000000015");
    c.Add(-5);
    EXPECT_EQ(c.Text(), "000000000015");
    DigitCounter small(4);
    small.Set(123456);
    EXPECT_EQ(small.Text(), "3456");
    small.Set(-3);
    EXPECT_EQ(small.Text(), "0000");
}
