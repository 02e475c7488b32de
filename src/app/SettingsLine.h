#pragma once
// How a line of the settings file reads, for the reader and the writer alike:
// the writer changes the very line the reader takes a key from.
#include <string>
#include <string_view>

#include "util/StringUtil.h"

// Editors on Windows start UTF-8 text with a byte-order mark.
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
// A settings file is a few hundred bytes; anything much bigger is not one.
constexpr std::size_t kMaxSettingsBytes = 64 * 1024;

// The text after its byte-order mark, if it has one.
std::string_view WithoutMark(std::string_view text);
// Text in UTF-16, which the file is not read in (Notepad's "Unicode").
bool IsUtf16(std::string_view text);

struct SettingLine {
    enum Kind { Blank, Setting, NotASetting } kind;
    std::string key;    // in lower case
    std::string value;  // without the blanks around it
};
// One line, without its '\n': blank or a comment (#, ;), "key = value", or neither.
SettingLine ReadSettingLine(std::string_view line);
