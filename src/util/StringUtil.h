#pragma once
// String and path helpers for the loaders. Strings are UTF-8; a search never
// reports a match that starts inside a multi-byte character.
#include <cstdint>
#include <string>

// True for the first byte of a multi-byte UTF-8 sequence.
bool IsLeadByte(unsigned char b);
// True when position i lies on a continuation byte of a multi-byte character.
bool IsTrailPosition(const std::string& s, int i);

int Find(const std::string& s, const std::string& needle);
int ReverseFind(const std::string& s, const std::string& needle);

// Token n of line, cut at every occurrence of separator; empty past the last one.
std::string Token(const std::string& line, int n, const std::string& separator);

// A letter A-Z in lower case; every other byte as it is.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Everything up to and including the last '/', or "" when there is none.
std::string GetDirectory(const std::string& path);
bool FileExists(const std::string& path);

// Read one number from the start of s, independent of the process locale;
// 0 when none can be read.
int32_t ToInt(const std::string& s);
float ToFloat(const std::string& s);
// Whether all of s is one number, in range, as those read it.
bool IsWholeInt(const std::string& s);
bool IsWholeFloat(const std::string& s);
