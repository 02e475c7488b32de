// The numbers of a pattern file: the operators, the variables, and what does
// not parse.
#include <clocale>
#include <cmath>

#include <gtest/gtest.h>

#include "pattern/PatternExpression.h"
#include "support/MustHave.h"

namespace {

double Value(const std::string& text, std::vector<double> params = {}, double rank = 0.25) {
    std::vector<ExprToken> code;
    int highest = 0;
    std::string why;
    EXPECT_TRUE(CompileExpression(text, code, highest, why)) << text << ": " << why;
    double draws = 0.0;
    ExprInputs in{params, rank,
                  [](void* n) {
                      double& count = *static_cast<double*>(n);
                      return 0.125 * ++count;
                  },
                  &draws};
    return Evaluate(code, in);
}

std::string Refusal(const std::string& text) {
    std::vector<ExprToken> code;
    int highest = 0;
    std::string why;
    EXPECT_FALSE(CompileExpression(text, code, highest, why)) << text;
    EXPECT_TRUE(code.empty());
    return why;
}

}  // namespace

TEST(PatternExpression, OperatorsBindAsArithmeticDoes) {
    EXPECT_DOUBLE_EQ(Value("2+3*4-6/4"), 12.5);
    EXPECT_DOUBLE_EQ(Value("10-2-3"), 5.0);
    EXPECT_DOUBLE_EQ(Value("-(2+3)*-2"), 10.0);
    EXPECT_DOUBLE_EQ(Value("2*-3"), -6.0);
    EXPECT_DOUBLE_EQ(Value("--4"), 4.0);
    EXPECT_DOUBLE_EQ(Value("7.5%2"), 1.5);
    EXPECT_DOUBLE_EQ(Value("-7%3"), -1.0);
    EXPECT_DOUBLE_EQ(Value(" .5 +\n 1. "), 1.5);
    EXPECT_TRUE(std::isinf(Value("1/0")));
}

TEST(PatternExpression, VariablesReadRankParametersAndOneDrawEach) {
    EXPECT_DOUBLE_EQ(Value("$rank*4"), 1.0);
    EXPECT_DOUBLE_EQ(Value("$1+$2*10", {1, 2}), 21.0);
    EXPECT_DOUBLE_EQ(Value("$12", std::vector<double>(12, 7.0)), 7.0);
    // A parameter the reference did not give reads 1.
    EXPECT_DOUBLE_EQ(Value("$3", {5}), 1.0);
    // Each $rand is its own draw, in the order written.
    EXPECT_DOUBLE_EQ(Value("$rand*100+$rand"), 12.5 + 0.25);

    std::vector<ExprToken> code;
    int highest = 0;
    std::string why;
    ASSERT_TRUE(CompileExpression("$2+$7-$rand", code, highest, why));
    EXPECT_EQ(highest, 7);
    double constant = 0.0;
    EXPECT_FALSE(ConstantValue(code, constant));
    code.clear();
    ASSERT_TRUE(CompileExpression("(1+2)*3", code, highest, why));
    ASSERT_TRUE(ConstantValue(code, constant));
    EXPECT_DOUBLE_EQ(constant, 9.0);
}

TEST(PatternExpression, WhatDoesNotParseSaysWhy) {
    EXPECT_EQ(Refusal(""), "no number");
    EXPECT_EQ(Refusal("90 +*"), "unexpected \"*\"");
    EXPECT_EQ(Refusal("(1+2"), "a \"(\" is not closed");
    EXPECT_EQ(Refusal("1 2"), "unexpected \"2\"");
    EXPECT_EQ(Refusal("1e5"), "unexpected \"e\"");
    EXPECT_EQ(Refusal("$foo"), "unknown variable \"$foo\"");
    EXPECT_EQ(Refusal("$0"), "parameters are $1 to $16");
    EXPECT_EQ(Refusal("$17"), "parameters are $1 to $16");
    EXPECT_EQ(Refusal("."), "\".\" is no number");
    EXPECT_EQ(Refusal("1,5"), "unexpected \",\"");
    EXPECT_EQ(Refusal(std::string(200, '(') + "1" + std::string(200, ')')), "nested too deeply");
    // A long chain that nests nothing still parses, however long.
    std::string sum = "1";
    for (int i = 0; i < 5000; ++i)
        sum += "+1";
    EXPECT_DOUBLE_EQ(Value(sum), 5001.0);
}

TEST(PatternExpression, NumbersReadTheSameUnderAnyLocale) {
    const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_DOUBLE_EQ(Value("10.5"), 10.5);
    EXPECT_EQ(Refusal("10,5"), "unexpected \",\"");
    std::setlocale(LC_ALL, "C");
    if (!german) {
        VELMORA_MISSING(
            "no de_DE.UTF-8 locale here (scripts/install-deps makes one); read in C only");
    }
}
