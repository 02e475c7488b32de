#pragma once
// The numbers of a pattern file: each text is compiled once, when the file is
// read, into a short postfix code that is evaluated without allocating.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct ExprToken {
    enum Kind : uint8_t { Number, Param, Rand, Rank, Add, Sub, Mul, Div, Mod, Neg };
    Kind kind = Number;
    uint8_t param = 0;  // $1 is 1
    double value = 0.0;
};

// The deepest an expression may stack its values, and the most parameters a
// reference may give: enough for any pattern written by hand.
inline constexpr int kMaxExprStack = 32;
inline constexpr int kMaxParams = 16;

// Appends the code of text to code. False, with why, when the text is no
// expression (numbers in the C locale's form whatever the process's locale).
// highestParam grows to the highest $n the text names.
bool CompileExpression(std::string_view text, std::vector<ExprToken>& code, int& highestParam,
                       std::string& why);

// What an expression reads while it is evaluated.
struct ExprInputs {
    std::span<const double> params;  // $1 is params[0]
    double rank = 0.0;
    // Draws one number in [0, 1] for each $rand.
    double (*random)(void* source) = nullptr;
    void* source = nullptr;
};

double Evaluate(std::span<const ExprToken> code, const ExprInputs& in);
// The value of code when it reads nothing that changes (no $rand, $rank or
// parameter); false otherwise.
bool ConstantValue(std::span<const ExprToken> code, double& value);
