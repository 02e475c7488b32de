#pragma once
// A pattern file compiled: every action a flat run of instructions, every
// reference resolved to an index, every number a compiled expression. Made once
// when the file is read; runners only read it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "pattern/PatternExpression.h"

inline constexpr uint32_t kNoIndex = UINT32_MAX;
// An emitter runs this many top actions at most.
inline constexpr std::size_t kMaxTopActions = 16;

// How a direction or a speed counts from its number.
enum class ValueType : uint8_t { Aim, Absolute, Relative, Sequence };

// A number of the file: a range of the program's expression code.
struct PatternExpr {
    uint32_t first = 0, count = 0;
};

// A direction or speed that may be absent.
struct PatternValue {
    bool present = false;
    ValueType type = ValueType::Aim;
    PatternExpr expr;
};

// The arguments a reference passes: a range of the program's argument list.
struct PatternArgs {
    uint32_t first = 0, count = 0;
};

enum class PatternOp : uint8_t {
    Fire,             // a: fire, args: for a fireRef
    ChangeDirection,  // a: change
    ChangeSpeed,      // a: change
    Accel,            // a: change
    Wait,             // expr: steps
    Vanish,
    Repeat,  // expr: times; a: the instruction after the matching Loop
    Loop,    // a: the first instruction of the body
    Call,    // a: the called action's first instruction; args
    End,     // returns from a call, or ends the action
};

struct PatternInstr {
    PatternOp op = PatternOp::End;
    uint32_t a = 0;
    PatternExpr expr;
    PatternArgs args;
    uint32_t line = 0;
};

// changeDirection (direction), changeSpeed (speed) and accel (horizontal and
// vertical as direction and speed): what changes and over how many steps.
struct PatternChange {
    PatternExpr term;
    PatternValue direction, speed;
};

struct PatternBulletSpec {
    PatternValue direction, speed;
    // The actions its own runner plays one after another: first instructions,
    // a range of the program's action list.
    uint32_t firstAction = 0, actionCount = 0;
    std::string label;
};

struct PatternFireSpec {
    PatternValue direction, speed;
    uint32_t bullet = kNoIndex;
    bool bulletRef = false;  // the bullet gets its own parameters from args
    PatternArgs args;
};

struct PatternProgram {
    std::string file;
    bool horizontal = false;
    std::vector<ExprToken> exprCode;
    std::vector<PatternExpr> argList;
    std::vector<PatternInstr> code;
    std::vector<PatternChange> changes;
    std::vector<PatternFireSpec> fires;
    std::vector<PatternBulletSpec> bullets;
    std::vector<uint32_t> actionList;
    // The first instructions of the actions labelled top...: each runs on its own.
    std::vector<uint32_t> tops;

    std::span<const ExprToken> Code(PatternExpr e) const {
        return std::span<const ExprToken>(exprCode).subspan(e.first, e.count);
    }
};
