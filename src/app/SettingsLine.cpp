#include "app/SettingsLine.h"

#include "util/StringUtil.h"

std::string_view WithoutMark(std::string_view text) {
    return text.starts_with(kUtf8Mark) ? text.substr(kUtf8Mark.size()) : text;
}

bool IsUtf16(std::string_view text) {
    return text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF");
}

SettingLine ReadSettingLine(std::string_view raw) {
    std::string line = TrimBlanks(raw);
    if (line.empty() || line[0] == '#' || line[0] == ';') return {SettingLine::Blank, "", ""};
    size_t equals = line.find('=');
    if (equals == std::string::npos) return {SettingLine::NotASetting, "", ""};
    std::string key = TrimBlanks(std::string_view(line).substr(0, equals));
    for (char& c : key)
        c = AsciiLower(c);
    return {SettingLine::Setting, key, TrimBlanks(std::string_view(line).substr(equals + 1))};
}
