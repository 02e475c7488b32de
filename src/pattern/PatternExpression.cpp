#include "pattern/PatternExpression.h"

#include <charconv>
#include <cmath>

namespace {

// Recursive descent over sums, products and signs; each level emits postfix code.
class ExprParser {
public:
    ExprParser(std::string_view text, std::vector<ExprToken>& code, int& highestParam)
        : text(text), code(code), highestParam(highestParam) {}

    bool Parse(std::string& why) {
        int depth = 0;
        if (!Sum(depth)) {
            why = problem;
            return false;
        }
        SkipSpace();
        if (at < text.size()) {
            why = "unexpected \"" + std::string(1, text[at]) + "\"";
            return false;
        }
        return true;
    }

private:
    static constexpr int kMaxNesting = 64;

    void SkipSpace() {
        while (at < text.size() &&
               (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == '\r'))
            ++at;
    }
    bool Peek(char c) {
        SkipSpace();
        return at < text.size() && text[at] == c;
    }
    bool Fail(const std::string& what) {
        if (problem.empty()) problem = what;
        return false;
    }
    void Emit(ExprToken::Kind kind, double value = 0.0, uint8_t param = 0) {
        code.push_back({kind, param, value});
        stack += kind <= ExprToken::Rank ? 1 : kind == ExprToken::Neg ? 0 : -1;
        if (stack > kMaxExprStack) tooDeep = true;
    }

    bool Sum(int depth) {
        if (!Product(depth)) return false;
        while (Peek('+') || Peek('-')) {
            ExprToken::Kind kind = text[at++] == '+' ? ExprToken::Add : ExprToken::Sub;
            if (!Product(depth)) return false;
            Emit(kind);
        }
        return true;
    }
    bool Product(int depth) {
        if (!Sign(depth)) return false;
        while (Peek('*') || Peek('/') || Peek('%')) {
            char op = text[at++];
            if (!Sign(depth)) return false;
            Emit(op == '*' ? ExprToken::Mul : op == '/' ? ExprToken::Div : ExprToken::Mod);
        }
        return true;
    }
    bool Sign(int depth) {
        if (++depth > kMaxNesting) return Fail("nested too deeply");
        if (Peek('-')) {
            ++at;
            if (!Sign(depth)) return false;
            Emit(ExprToken::Neg);
            return true;
        }
        return Primary(depth);
    }
    bool Primary(int depth) {
        SkipSpace();
        if (at >= text.size()) return Fail(code.empty() ? "no number" : "ends too early");
        char c = text[at];
        if (c == '(') {
            ++at;
            if (!Sum(depth)) return false;
            if (!Peek(')')) return Fail("a \"(\" is not closed");
            ++at;
            return true;
        }
        if (c == '$') return Variable();
        if ((c >= '0' && c <= '9') || c == '.') return Number();
        return Fail("unexpected \"" + std::string(1, c) + "\"");
    }
    bool Variable() {
        std::size_t start = ++at;
        while (at < text.size() &&
               ((text[at] >= 'a' && text[at] <= 'z') || (text[at] >= '0' && text[at] <= '9')))
            ++at;
        std::string_view name = text.substr(start, at - start);
        if (name == "rand") {
            Emit(ExprToken::Rand);
            return true;
        }
        if (name == "rank") {
            Emit(ExprToken::Rank);
            return true;
        }
        int n = 0;
        auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), n);
        if (name.empty() || error != std::errc() || end != name.data() + name.size())
            return Fail("unknown variable \"$" + std::string(name) + "\"");
        if (n < 1 || n > kMaxParams)
            return Fail("parameters are $1 to $" + std::to_string(kMaxParams));
        if (n > highestParam) highestParam = n;
        Emit(ExprToken::Param, 0.0, static_cast<uint8_t>(n));
        return true;
    }
    // Digits with at most one point; no exponent, no locale.
    bool Number() {
        std::size_t start = at;
        bool point = false, digit = false;
        while (at < text.size() &&
               ((text[at] >= '0' && text[at] <= '9') || (text[at] == '.' && !point))) {
            point |= text[at] == '.';
            digit |= text[at] != '.';
            ++at;
        }
        if (!digit) return Fail("\".\" is no number");
        double value = 0.0;
        std::from_chars(text.data() + start, text.data() + at, value, std::chars_format::fixed);
        Emit(ExprToken::Number, value);
        return true;
    }

public:
    bool tooDeep = false;

private:
    std::string_view text;
    std::vector<ExprToken>& code;
    int& highestParam;
    std::size_t at = 0;
    int stack = 0;
    std::string problem;
};

}  // namespace

bool CompileExpression(std::string_view text, std::vector<ExprToken>& code, int& highestParam,
                       std::string& why) {
    const std::size_t start = code.size();
    int highest = highestParam;
    ExprParser parser(text, code, highest);
    bool ok = parser.Parse(why);
    if (ok && parser.tooDeep) {
        why = "nested too deeply";
        ok = false;
    }
    if (!ok) {
        code.resize(start);
        return false;
    }
    highestParam = highest;
    return true;
}

double Evaluate(std::span<const ExprToken> code, const ExprInputs& in) {
    double stack[kMaxExprStack];
    int top = 0;
    for (const ExprToken& t : code) {
        switch (t.kind) {
            case ExprToken::Number:
                stack[top++] = t.value;
                break;
            case ExprToken::Param:
                // A parameter the reference did not give reads 1, as the format's reference has it.
                stack[top++] = t.param <= in.params.size() ? in.params[t.param - 1] : 1.0;
                break;
            case ExprToken::Rand:
                stack[top++] = in.random ? in.random(in.source) : 0.0;
                break;
            case ExprToken::Rank:
                stack[top++] = in.rank;
                break;
            case ExprToken::Neg:
                stack[top - 1] = -stack[top - 1];
                break;
            default: {
                double b = stack[--top];
                double& a = stack[top - 1];
                if (t.kind == ExprToken::Add) a += b;
                if (t.kind == ExprToken::Sub) a -= b;
                if (t.kind == ExprToken::Mul) a *= b;
                if (t.kind == ExprToken::Div) a /= b;
                if (t.kind == ExprToken::Mod) a = std::fmod(a, b);
            }
        }
    }
    return top == 1 ? stack[0] : 0.0;
}

bool ConstantValue(std::span<const ExprToken> code, double& value) {
    for (const ExprToken& t : code) {
        if (t.kind == ExprToken::Param || t.kind == ExprToken::Rand || t.kind == ExprToken::Rank)
            return false;
    }
    value = Evaluate(code, {});
    return true;
}
