#pragma once
// Where every menu of the game stands on the 640 x 480 screen, and its
// colours: one row per screen. Nothing else writes a menu's position.
#include <cstdint>
#include <span>
#include <string>

class BitmapFont;

struct MenuLayout {
    float x, y;       // the first row's label
    float rowHeight;  // from one row to the next
    float valueX;     // where the rows' values start
    float headingY;   // a line above the rows
    float hintY;      // the keys, under the rows
    int shownRows;    // a longer list scrolls to keep the chosen row in sight
};

enum class MenuScreen { Title, Practice, Pause };

inline constexpr uint32_t kRowChosen = 0xFFFFFFFF;
inline constexpr uint32_t kRowOther = 0xFF404040;
inline constexpr uint32_t kMenuHeading = 0xFFFFFFFF;
inline constexpr uint32_t kMenuHint = 0xFF808080;

const MenuLayout& LayoutOf(MenuScreen screen);

struct MenuRowText {
    std::string label;
    std::string value;  // drawn at the layout's valueX; empty for none
};

// The rows that fit, scrolled so the chosen one shows, the chosen bright.
void DrawMenuRows(const BitmapFont& font, const MenuLayout& layout,
                  std::span<const MenuRowText> rows, int cursor);
// The first row shown when the chosen one must be in sight.
int FirstShownRow(const MenuLayout& layout, int rows, int cursor);
