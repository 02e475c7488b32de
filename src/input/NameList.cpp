#include "input/NameList.h"

std::vector<std::string> SplitNames(std::string_view list) {
    constexpr std::string_view kBlank = " \t\r";
    std::vector<std::string> names;
    while (!list.empty()) {
        size_t comma = list.find(',');
        std::string_view name = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 1);
        size_t first = name.find_first_not_of(kBlank);
        if (first == std::string_view::npos) continue;
        names.emplace_back(name.substr(first, name.find_last_not_of(kBlank) - first + 1));
    }
    return names;
}

std::string JoinNames(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        if (!list.empty()) list += ", ";
        list += name;
    }
    return list;
}
