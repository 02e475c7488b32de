#include "graphics/Glyphs.h"

std::string InFontGlyphs(std::string_view text) {
    std::string shown(text);
    for (char& c : shown) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c == ' ' || kGlyphOrder.find(c) == std::string_view::npos) c = ' ';
    }
    return shown;
}
