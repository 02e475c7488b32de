#pragma once
// The model importer's way of reading an .x file, for XFileCheck: the checker
// walks the objects, this reads their tokens and numbers.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/StringUtil.h"

// The "xof 0303txt 0032" line every .x file starts with.
constexpr std::size_t kXFileHeaderSize = 16;

namespace xfile {

using ::IsDigit;
inline bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
inline bool IsDelimiter(char c) {
    return c == ';' || c == ',' || c == '{' || c == '}';
}

// The importer's reader: its tokens, numbers and separators under the same rules,
// from the same position. Where the importer would throw, this fails; where it
// would read or step past the end of the file, this fails too. An empty token is
// the end of the data, as for the importer (which stops there at the top level).
class Reader {
public:
    Reader(std::string_view data, bool binary, std::size_t floatSize, std::string& why)
        : d(data), binary(binary), floatSize(floatSize), why(why) {
        p = kXFileHeaderSize;
        SkipLine();  // the rest of the header line (nothing in a binary file)
    }

    bool Fail(const std::string& reason) {
        if (!failed) why = reason;
        failed = true;
        return false;
    }
    bool Failed() const { return failed; }
    std::size_t Left() const { return d.size() - p; }

    std::string_view Token() { return binary ? BinaryToken() : TextToken(); }

    // A quoted string followed by ';' (in a binary file: any token).
    bool String(std::string_view& s) {
        if (binary) {
            s = Token();
            return !failed;
        }
        SkipSpace();
        if (At(p) != '"') return Fail("a quoted name is missing");
        std::size_t start = ++p;
        while (p < d.size() && d[p] != '"')
            ++p;
        if (p + 1 >= d.size() || d[p + 1] != ';') return Fail("a name is not closed with \";");
        s = d.substr(start, p - start);
        p += 2;
        return true;
    }

    bool Int(uint32_t& v) {
        if (binary) return BinaryNumber(6, 4, &v);
        SkipSpace();
        bool negative = At(p) == '-';
        if (negative) ++p;
        if (!IsDigit(At(p))) return Fail("a whole number is missing");
        uint32_t n = 0;
        while (p < d.size() && IsDigit(d[p]))
            n = n * 10 + uint32_t(d[p++] - '0');
        v = negative ? 0u - n : n;
        return Separator();
    }

    bool Float() {
        if (binary) return BinaryNumber(7, floatSize, nullptr);
        SkipSpace();
        std::string_view rest = d.substr(p);
        if (rest.starts_with("-1.#IND00") || rest.starts_with("1.#IND00")) {
            p = std::min(p + 9, d.size());  // the importer skips nine either way
            return Separator();
        }
        if (rest.starts_with("1.#QNAN0")) {
            p += 8;
            return Separator();
        }
        std::size_t c = p;
        if (At(c) == '-' || At(c) == '+') ++c;
        if (StartsNoCase(c, "nan")) {
            p = c + 3;
            return Separator();
        }
        if (StartsNoCase(c, "inf")) {
            c += 3;
            if (StartsNoCase(c, "inity")) c += 5;
            p = c;
            return Separator();
        }
        // Digits, a fraction after '.' or ',', an exponent: as the importer reads them.
        bool point = At(c) == '.' || At(c) == ',';
        if (!IsDigit(At(c)) && !(point && IsDigit(At(c + 1)))) return Fail("a number is missing");
        if (!point && !Digits(c)) return Fail("a number too long");
        if ((At(c) == '.' || At(c) == ',') && IsDigit(At(c + 1))) {
            ++c;
            while (IsDigit(At(c)))
                ++c;
        } else if (At(c) == '.') {
            ++c;
        }
        if (At(c) == 'e' || At(c) == 'E') {
            ++c;
            if (At(c) == '-' || At(c) == '+') ++c;
            if (!IsDigit(At(c)) || !Digits(c)) return Fail("a number with a bad exponent");
        }
        p = c;
        return Separator();
    }

    bool Floats(uint32_t n) {
        for (uint32_t i = 0; i < n; ++i) {
            if (!Float()) return false;
        }
        return true;
    }
    // A vector, colour or coordinate pair: its numbers and perhaps one separator.
    bool Group(uint32_t n) {
        if (!Floats(n)) return false;
        TestForSeparator();
        return true;
    }

    bool Separator() {
        if (binary) return true;
        std::string_view t = Token();
        return t == ";" || t == "," || Fail("a separator is missing");
    }
    bool Semicolon() {
        if (binary) return true;
        return Token() == ";" || Fail("a semicolon is missing");
    }
    void TestForSeparator() {
        if (binary) return;
        SkipSpace();
        if (p < d.size() && (d[p] == ';' || d[p] == ',')) ++p;
    }
    // The material list's own rule: one more ';' right where the indices end.
    void SkipSemicolonHere() {
        if (!binary && p < d.size() && d[p] == ';') ++p;
    }
    bool CloseBrace() { return Token() == "}" || (!failed && Fail("a closing brace is missing")); }
    bool OpenBrace() { return Token() == "{" || (!failed && Fail("an object has no body")); }

    // [name] '{'
    bool Head(std::string_view* name = nullptr) {
        std::string_view t = Token();
        if (failed) return false;
        if (t == "{") return true;
        if (name) *name = t;
        return OpenBrace();
    }

private:
    char At(std::size_t i) const { return i < d.size() ? d[i] : '\0'; }

    bool StartsNoCase(std::size_t at, const char* word) const {
        for (std::size_t i = 0; word[i]; ++i) {
            if (AsciiLower(At(at + i)) != word[i]) return false;
        }
        return true;
    }

    // Decimal digits as the importer reads them into 64 bits; false where it overflows.
    bool Digits(std::size_t& c) const {
        uint64_t value = 0;
        while (IsDigit(At(c))) {
            uint64_t next = value * 10 + uint64_t(At(c) - '0');
            if (next < value) return false;
            value = next;
            ++c;
        }
        return true;
    }

    void SkipLine() {
        if (binary) return;
        while (p < d.size()) {
            char c = d[p++];
            if (c == '\n' || c == '\r') return;
        }
    }

    void SkipSpace() {
        for (;;) {
            while (p < d.size() && IsSpace(d[p]))
                ++p;
            if (p >= d.size()) return;
            if ((d[p] == '/' && At(p + 1) == '/') || d[p] == '#') {
                SkipLine();
            } else {
                return;
            }
        }
    }

    std::string_view TextToken() {
        SkipSpace();
        if (p >= d.size()) return {};
        if (IsDelimiter(d[p])) return d.substr(p++, 1);
        std::size_t start = p;
        while (p < d.size() && !IsSpace(d[p]) && !IsDelimiter(d[p]))
            ++p;
        return d.substr(start, p - start);
    }

    uint32_t Word() {
        uint32_t v = uint8_t(d[p]) | uint32_t(uint8_t(d[p + 1])) << 8;
        p += 2;
        return v;
    }
    uint32_t DWord() {
        uint32_t v = 0;
        for (int i = 3; i >= 0; --i)
            v = v << 8 | uint8_t(d[p + i]);
        p += 4;
        return v;
    }

    // Skips `bytes` or fails: the importer would step past the end.
    bool Step(uint64_t bytes) {
        if (bytes > Left()) return Fail("cut short");
        p += bytes;
        return true;
    }

    std::string_view BinaryToken() {
        static constexpr const char* kPunctuation[] = {"{", "}", "(", ")", "[", "]",
                                                       "<", ">", ".", ",", ";"};
        if (Left() < 2) return {};
        uint32_t token = Word();
        switch (token) {
            case 1:    // name
            case 2: {  // string, then a terminator the importer skips unread
                if (Left() < 4) return {};
                uint32_t length = DWord();
                if (length > Left()) {
                    if (token == 2) Fail("cut short");
                    return {};
                }
                std::string_view s = d.substr(p, length);
                p += length;
                if (token == 2) Step(2);
                return s;
            }
            case 3:
                return Step(4) ? "<integer>" : std::string_view{};
            case 5:
                return Step(16) ? "<guid>" : std::string_view{};
            case 6:
            case 7: {
                if (Left() < 4) return {};
                uint64_t count = DWord();
                return Step(count * (token == 6 ? 4 : floatSize)) ? "<list>" : std::string_view{};
            }
            case 0x1F:
                return "template";
            default:
                if (token >= 0x0A && token <= 0x14) return kPunctuation[token - 0x0A];
                if (token >= 0x28 && token <= 0x34) return "<type>";
                return {};  // not a token: the importer takes it for the end of the data
        }
    }

    // One number of a binary list; a lone number has a token of its own. The count
    // runs on across objects, as in the importer.
    bool BinaryNumber(uint32_t listToken, std::size_t size, uint32_t* v) {
        if (pending == 0 && Left() >= 2) {
            uint32_t token = Word();
            pending = token == listToken && Left() >= 4 ? DWord() : 1;
        }
        --pending;
        if (Left() < size) return Fail("cut short");
        if (v) {
            *v = DWord();
        } else {
            p += size;
        }
        return true;
    }

    std::string_view d;
    bool binary;
    std::size_t floatSize;
    std::string& why;
    std::size_t p = 0;
    uint32_t pending = 0;  // numbers left in the current binary list
    bool failed = false;
};

}  // namespace xfile
