#pragma once
// Where every menu of the game stands on the 640 x 480 screen, and its
// colours: one row per screen. Nothing else writes a menu's position.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class BitmapFont;

struct MenuLayout {
    float x, y;       // the first row's label
    float rowHeight;  // from one row to the next
    float valueX;     // where the rows' values start
    float headingY;   // a line above the rows
    float hintY;      // the keys, under the rows
    int shownRows;    // a longer list scrolls to keep the chosen row in sight
    uint32_t other;   // the rows not chosen (the chosen one is white)
    bool shadowed;    // rows over a busy picture stand on a shadow
};

enum class MenuScreen { Title, Practice, Pause };

inline constexpr uint32_t kRowChosen = 0xFFFFFFFF;
inline constexpr uint32_t kMenuHeading = 0xFFFFFFFF;
inline constexpr uint32_t kMenuHint = 0xFFA0A0B0;
inline constexpr uint32_t kMenuShadow = 0xC0000000;

const MenuLayout& LayoutOf(MenuScreen screen);

struct MenuRowText {
    std::string label;
    std::string value;  // drawn at the layout's valueX; empty for none
};

// The rows that fit, scrolled so the chosen one shows, the chosen bright.
void DrawMenuRows(const BitmapFont& font, const MenuLayout& layout,
                  std::span<const MenuRowText> rows, int cursor);
// A line of a menu (a heading, a hint) in the layout's manner.
void DrawMenuText(const BitmapFont& font, const MenuLayout& layout, std::string_view text, float x,
                  float y, uint32_t color);
// The first row shown when the chosen one must be in sight.
int FirstShownRow(const MenuLayout& layout, int rows, int cursor);
