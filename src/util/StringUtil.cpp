#include "util/StringUtil.h"

#include <filesystem>
#include <locale>
#include <sstream>

namespace {

// The number at the start of s (0 when none reads) and whether it took all of s.
template <typename T>
T ReadNumber(const std::string& s, bool* whole = nullptr) {
    std::istringstream in(s);
    in.imbue(std::locale::classic());
    T value = 0;
    in >> value;
    if (whole) *whole = !in.fail() && in.peek() == std::char_traits<char>::eof();
    return value;
}

}  // namespace

std::string Token(const std::string& line, int n, const std::string& separator) {
    std::string rest = line;
    for (int k = 0; k < n; ++k) {
        size_t p = rest.find(separator);
        if (p == std::string::npos) return "";
        rest.erase(0, p + separator.size());
    }
    return rest.substr(0, rest.find(separator));
}

std::string Printable(std::string text) {
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            shown += '?';  // U+0080..U+009F: CSI and its kind
            ++i;
        } else {
            shown += byte < 0x20 || byte == 0x7F ? '?' : text[i];
        }
    }
    return shown;
}

std::string TrimBlanks(std::string_view s) {
    constexpr std::string_view kBlank = " \t\r";
    size_t first = s.find_first_not_of(kBlank);
    if (first == std::string_view::npos) return "";
    return std::string(s.substr(first, s.find_last_not_of(kBlank) - first + 1));
}

std::string GetDirectory(const std::string& path) {
    size_t p = path.rfind('/');
    return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

bool FileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::exists(path, ec);
}

int32_t ToInt(const std::string& s) {
    return ReadNumber<int32_t>(s);
}

float ToFloat(const std::string& s) {
    return ReadNumber<float>(s);
}

bool IsWholeInt(const std::string& s) {
    bool whole = false;
    ReadNumber<int32_t>(s, &whole);
    return whole;
}

bool IsWholeFloat(const std::string& s) {
    bool whole = false;
    ReadNumber<float>(s, &whole);
    return whole;
}
