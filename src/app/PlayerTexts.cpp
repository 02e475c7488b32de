#include "app/PlayerTexts.h"

#include <optional>
#include <sstream>

namespace {

// The language part of a locale or language name: "ja" of "ja_JP.UTF-8@euro".
std::string LanguageOf(const std::string& name) {
    return name.substr(0, name.find_first_of("_.@"));
}

std::optional<Language> Known(const std::string& name) {
    std::string language = LanguageOf(name);
    if (language == "ja") return Language::Japanese;
    if (language == "en") return Language::English;
    return std::nullopt;
}

}  // namespace

Language LanguageFrom(const std::function<const char*(const char*)>& variable) {
    auto value = [&](const char* name) {
        const char* v = variable(name);
        return std::string(v ? v : "");
    };
    std::string locale = value("LC_ALL");
    if (locale.empty()) locale = value("LC_MESSAGES");
    if (locale.empty()) locale = value("LANG");
    std::string language = LanguageOf(locale);
    if (language.empty() || language == "C" || language == "POSIX") return Language::English;
    std::istringstream preferences(value("LANGUAGE"));
    for (std::string preferred; std::getline(preferences, preferred, ':');) {
        if (auto known = Known(preferred)) return *known;
    }
    return Known(locale).value_or(Language::English);
}
