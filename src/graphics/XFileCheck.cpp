#include "graphics/XFileCheck.h"

#include <cctype>
#include <cstdint>
#include <cstring>

namespace {

constexpr size_t kHeaderSize = 16;

bool Fail(std::string& why, const char* reason) {
    why = reason;
    return false;
}

bool IsNumberChar(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' ||
           c == 'e' || c == 'E';
}

// Whole numbers in the text are counts and indices; numbers with a point or an
// exponent are coordinates and colours and are not checked.
bool CheckText(std::string_view s, std::string& why) {
    const uint64_t limit = s.size();
    size_t i = kHeaderSize;
    while (i < s.size()) {
        char c = s[i];
        if (c == '"' || c == '<') {  // strings and template ids
            size_t end = s.find(c == '"' ? '"' : '>', i + 1);
            i = end == std::string_view::npos ? s.size() : end + 1;
        } else if (c == '#' || (c == '/' && i + 1 < s.size() && s[i + 1] == '/')) {
            size_t end = s.find('\n', i);
            i = end == std::string_view::npos ? s.size() : end + 1;
        } else if (IsNumberChar(c) && !std::isalpha(static_cast<unsigned char>(c))) {
            size_t start = i;
            while (i < s.size() && IsNumberChar(s[i]))
                ++i;
            std::string_view token = s.substr(start, i - start);
            if (token.find_first_not_of("0123456789") != std::string_view::npos) continue;
            if (token.size() > 12 || std::stoull(std::string(token)) > limit) {
                why = "a count of " + std::string(token) + " in a file of " +
                      std::to_string(limit) + " bytes";
                return false;
            }
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_'))
                ++i;
        } else {
            ++i;
        }
    }
    return true;
}

bool CheckBinary(std::string_view s, size_t floatSize, std::string& why) {
    const uint64_t limit = s.size();
    size_t i = kHeaderSize;
    auto u16 = [&](size_t at) { return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8); };
    auto u32 = [&](size_t at) {
        uint32_t v = 0;
        std::memcpy(&v, s.data() + at, 4);
        return v;
    };
    auto need = [&](uint64_t bytes) { return i + bytes <= s.size(); };
    auto tooBig = [&](uint64_t v) {
        if (v <= limit) return false;
        why =
            "a count of " + std::to_string(v) + " in a file of " + std::to_string(limit) + " bytes";
        return true;
    };
    while (i + 2 <= s.size()) {
        uint16_t token = u16(i);
        i += 2;
        switch (token) {
            case 1:    // name
            case 2: {  // string, then its terminator token
                if (!need(4)) return Fail(why, "cut short");
                if (tooBig(u32(i))) return false;
                uint64_t skip = 4 + uint64_t(u32(i)) + (token == 2 ? 2 : 0);
                if (!need(skip)) return Fail(why, "cut short");
                i += skip;
                break;
            }
            case 3:  // integer
                if (!need(4)) return Fail(why, "cut short");
                if (tooBig(u32(i))) return false;
                i += 4;
                break;
            case 5:  // guid
                if (!need(16)) return Fail(why, "cut short");
                i += 16;
                break;
            case 6:    // integer list
            case 7: {  // float list
                if (!need(4)) return Fail(why, "cut short");
                uint64_t count = u32(i);
                if (tooBig(count)) return false;
                i += 4;
                uint64_t size = token == 6 ? 4 : floatSize;
                if (!need(count * size)) return Fail(why, "cut short");
                if (token == 6) {
                    for (uint64_t k = 0; k < count; ++k) {
                        if (tooBig(u32(i + 4 * k))) return false;
                    }
                }
                i += count * size;
                break;
            }
            default:
                if (token < 0x0A || token > 0x3F) return Fail(why, "not an .x token stream");
        }
    }
    return true;
}

}  // namespace

bool HasPlausibleCounts(std::string_view file, std::string& why) {
    if (file.size() < kHeaderSize || file.substr(0, 4) != "xof ")
        return Fail(why, "not an .x file");
    std::string_view format = file.substr(8, 4);
    if (format == "txt ") return CheckText(file, why);
    if (format == "bin ") return CheckBinary(file, file.substr(12, 4) == "0064" ? 8 : 4, why);
    return Fail(why, "compressed .x files are not read");
}
