#pragma once
// String and path helpers for the loaders. Strings are UTF-8, where no byte of
// a multi-byte character is ever a byte of ASCII: a plain search for '=', '/'
// or ' ' never matches inside a character.
#include <cstdint>
#include <string>
#include <string_view>

// Token n of line, cut at every occurrence of separator; empty past the last one.
std::string Token(const std::string& line, int n, const std::string& separator);

// A letter A-Z in lower case; every other byte as it is.
constexpr char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
// A letter a-z in upper case; every other byte as it is.
constexpr char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
constexpr bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The text with its control characters as '?' (those of UTF-8's second block
// too): a name read from a file or a folder cannot steer the terminal it is
// printed on. Every text of a file or a file name goes through it.
std::string Printable(std::string text);
// Without the blanks (spaces, tabs, a CR) at either end.
std::string TrimBlanks(std::string_view s);

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
