#pragma once
// The characters the game's font draws, in the order of its sheet's cells:
// the first forty-two as the font was first drawn, then the ones added after
// them (the first stay where they are, so their cells never move).
#include <string>
#include <string_view>

inline constexpr std::string_view kGlyphOrder =
    "0123456789@?{}ABCDEFGHIJKLMNOPQRSTUVWXYZ=."
    "<>-:/!,'+%()*";

// A text as the font shows it: letters upper-cased, whatever it has no glyph
// for a blank.
std::string InFontGlyphs(std::string_view text);
