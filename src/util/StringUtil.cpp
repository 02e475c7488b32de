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
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return text;
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
