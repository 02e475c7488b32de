#include "game/MenuLayout.h"

#include <algorithm>
#include <iterator>

#include "graphics/BitmapFont.h"

namespace {

// clang-format off
constexpr MenuLayout kLayouts[] = {
    // Title: below the logo, where the first menu stood (x = 640 / 2 - 64); the
    // rows not chosen light and on a shadow, legible over the planet's rim; the
    // keys at the foot, and above them what a choice could not do.
    {.x = 256, .y = 184, .rowHeight = 18, .valueX = 320, .headingY = 0, .hintY = 432,
     .messageY = 412, .shownRows = 12, .other = 0xFF8490B0, .shadowed = true},
    // Practice: the stage's sections and the options to start with.
    {.x = 160, .y = 216, .rowHeight = 20, .valueX = 392, .headingY = 184, .hintY = 448,
     .messageY = 0, .shownRows = 11, .other = 0xFF8088A0, .shadowed = true},
    // Pause: under "PAUSE", which stands at (200, 240), over the field.
    {.x = 200, .y = 272, .rowHeight = 20, .valueX = 0, .headingY = 240, .hintY = 0,
     .messageY = 0, .shownRows = 3, .other = 0xFF8088A0, .shadowed = true},
    // Replays: a row each, in columns under their captions.
    {.x = 40, .y = 112, .rowHeight = 18, .valueX = 0, .headingY = 72, .hintY = 452,
     .messageY = 428, .shownRows = 17, .other = 0xFF8088A0, .shadowed = true, .captionsY = 92},
    // Options: a row for each setting, its value in a column of its own.
    {.x = 96, .y = 80, .rowHeight = 17, .valueX = 280, .headingY = 48, .hintY = 452,
     .messageY = 428, .shownRows = 20, .other = 0xFF8088A0, .shadowed = true},
    // Results and high scores: the tally's lines, or a table of ten games in
    // columns under their captions, centred.
    {.x = 96, .y = 128, .rowHeight = 20, .valueX = 0, .headingY = 64, .hintY = 448,
     .messageY = 420, .shownRows = 10, .other = 0xFF8088A0, .shadowed = true, .captionsY = 104},
};
// clang-format on

}  // namespace

static_assert(std::size(kLayouts) == static_cast<std::size_t>(MenuScreen::Results) + 1,
              "a layout for every screen");

const MenuLayout& LayoutOf(MenuScreen screen) {
    return kLayouts[static_cast<int>(screen)];
}

void DrawMenuText(const BitmapFont& font, const MenuLayout& layout, std::string_view text, float x,
                  float y, uint32_t color) {
    if (layout.shadowed) {
        font.DrawTextShadowed(text, x, y, color, kMenuShadow);
    } else {
        font.DrawText(text, x, y, color);
    }
}

void DrawCentredText(const BitmapFont& font, const MenuLayout& layout, std::string_view text,
                     float y, uint32_t color) {
    float x = (kScreenWidth - kGlyphAdvance * static_cast<float>(text.size())) / 2;
    DrawMenuText(font, layout, text, std::max(x, 0.0f), y, color);
}

int FirstShownRow(const MenuLayout& layout, int rows, int cursor) {
    int last = std::max(rows - layout.shownRows, 0);
    return std::clamp(cursor - layout.shownRows / 2, 0, last);
}

void DrawMenuRows(const BitmapFont& font, const MenuLayout& layout,
                  std::span<const MenuRowText> rows, int cursor) {
    int count = static_cast<int>(rows.size());
    int first = FirstShownRow(layout, count, cursor);
    for (int i = first; i < count && i < first + layout.shownRows; ++i) {
        float y = layout.y + layout.rowHeight * static_cast<float>(i - first);
        uint32_t color = i == cursor ? kRowChosen : layout.other;
        const MenuRowText& row = rows[static_cast<std::size_t>(i)];
        DrawMenuText(font, layout, row.label, layout.x, y, color);
        if (!row.value.empty()) DrawMenuText(font, layout, row.value, layout.valueX, y, color);
    }
}
