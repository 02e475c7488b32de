#include "app/FileChooser.h"

#include <algorithm>
#include <cctype>

std::vector<std::string> FilterPatterns(const FileChooser::Filter& filter) {
    std::vector<std::string> patterns;
    std::size_t from = 0;
    while (from <= filter.pattern.size()) {
        std::size_t end = std::min(filter.pattern.find(';', from), filter.pattern.size());
        if (end > from)
            patterns.push_back(CaseInsensitivePattern(filter.pattern.substr(from, end - from)));
        from = end + 1;
    }
    return patterns;
}

std::string CaseInsensitivePattern(const std::string& pattern) {
    if (pattern == "*.*") return "*";
    std::string out;
    for (char c : pattern) {
        auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u)) {
            out += '[';
            out += static_cast<char>(std::tolower(u));
            out += static_cast<char>(std::toupper(u));
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}
