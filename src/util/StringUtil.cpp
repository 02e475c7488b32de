#include "util/StringUtil.h"

#include <filesystem>
#include <locale>
#include <sstream>

namespace {

bool IsContinuationByte(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

bool MatchesAt(const std::string& s, size_t i, const std::string& needle) {
    return s.compare(i, needle.size(), needle) == 0;
}

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

bool IsLeadByte(unsigned char b) {
    return b >= 0xC0;
}

bool IsTrailPosition(const std::string& s, int i) {
    if (i < 0 || static_cast<size_t>(i) >= s.size()) return false;
    return IsContinuationByte(static_cast<unsigned char>(s[i]));
}

int Find(const std::string& s, const std::string& needle) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (IsContinuationByte(static_cast<unsigned char>(s[i]))) continue;
        if (MatchesAt(s, i, needle)) return static_cast<int>(i);
    }
    return -1;
}

int ReverseFind(const std::string& s, const std::string& needle) {
    for (int i = static_cast<int>(s.size()) - 1; i >= 0; --i) {
        if (MatchesAt(s, i, needle) && !IsTrailPosition(s, i)) return i;
    }
    return -1;
}

std::string Token(const std::string& line, int n, const std::string& separator) {
    std::string rest = line;
    for (int k = 0; k < n; ++k) {
        int p = Find(rest, separator);
        if (p < 0) return "";
        rest.erase(0, p + separator.size());
    }
    int p = Find(rest, separator);
    return p < 0 ? rest : rest.substr(0, p);
}

std::string GetDirectory(const std::string& path) {
    int p = ReverseFind(path, "/");
    return p < 0 ? std::string() : path.substr(0, p + 1);
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
