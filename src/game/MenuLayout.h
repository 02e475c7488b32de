#pragma once
// Where every menu of the game stands on the 640 x 480 screen, and its
// colours: one row per screen; and where the head-up display, the scenes'
// lines and the playback bar stand. Nothing else writes a position on screen.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class BitmapFont;

struct MenuLayout {
    float x, y;           // the first row's label
    float rowHeight;      // from one row to the next
    float valueX;         // where the rows' values start
    float headingY;       // a line above the rows
    float hintY;          // the keys, under the rows
    float messageY;       // a line the screen says something on
    int shownRows;        // a longer list scrolls to keep the chosen row in sight
    uint32_t other;       // the rows not chosen (the chosen one is white)
    bool shadowed;        // rows over a busy picture stand on a shadow
    float captionsY = 0;  // the columns' captions, where rows have columns
};

enum class MenuScreen { Title, Practice, Pause, Replays, Options, Results };

// The screen every position is on: the back buffer, whatever the window's size.
inline constexpr float kScreenWidth = 640, kScreenHeight = 480;

struct ScreenPoint {
    float x, y;
};

// The head-up display along the top of the screen.
struct HudLayout {
    ScreenPoint player, score;              // "1P" and the score
    ScreenPoint highScore, highScoreValue;  // "HIGH SCORE", drawn as its own shadow
    ScreenPoint practice;                   // "PRACTICE", at the right below the lives
    ScreenPoint catchUp;                    // "CATCH UP" while missed frames are caught up
    ScreenPoint freeze;                     // "FREEZE" over the middle of a frozen field
    ScreenPoint lives;                      // the first spare life's icon
    float lifeStep;                         // from one icon to the next
    // The boss's gauge over its shadow, on a row of its own under the score
    // with "BOSS" before it; a full one as long as the screen is high.
    ScreenPoint bossLabel, gauge, gaugeShadow;
    float gaugeHeight;
    // What reading a watched stage again found, a line after another.
    ScreenPoint notice;
    float noticeStep;
};
inline constexpr HudLayout kHud = {.player = {0, 0},
                                   .score = {50, 0},
                                   .highScore = {200, 0},
                                   .highScoreValue = {328, 0},
                                   .practice = {kScreenWidth - 64, 16},
                                   .catchUp = {0, 32},
                                   .freeze = {kScreenWidth / 2 - 24, 200},
                                   .lives = {500, 0},
                                   .lifeStep = 32,
                                   .bossLabel = {0, 16},
                                   .gauge = {40, 20},
                                   .gaugeShadow = {42, 22},
                                   .gaugeHeight = 4,
                                   .notice = {0, kScreenHeight - 40},
                                   .noticeStep = 16};

// The lines the scenes write over the field. Some stand where half the
// screen's height, not its width, puts them: there they always stood.
struct SceneTextLayout {
    ScreenPoint getReady, warning;
    float pauseX;  // the pause's heading, at the pause menu's headingY
    ScreenPoint gameOver, hiScore;
    // The ending's lines, centred, above or below its middle.
    float endingMiddle;
    float clearDy, thanksDy, creditDy, challengeDy, skipDy;
    // The stage's name above GET READY in the whole game; the tally between stages.
    float cardDy;
    float tallyY, tallyStep;
};
inline constexpr SceneTextLayout kSceneTexts = {.getReady = {kScreenWidth / 2 - 32, 240},
                                                .warning = {200, kScreenWidth / 2 - 32},
                                                .pauseX = kScreenHeight / 2 - 40,
                                                .gameOver = {kScreenWidth / 2 - 72, 240},
                                                .hiScore = {kScreenWidth / 2 - 192, 240},
                                                .endingMiddle = kScreenHeight / 2,
                                                .clearDy = -16,
                                                .thanksDy = 16,
                                                .creditDy = 32,
                                                .challengeDy = 64,
                                                .skipDy = 200,
                                                .cardDy = -32,
                                                .tallyY = 180,
                                                .tallyStep = 24};

// From one character of the font to the next, in pixels.
inline constexpr float kGlyphAdvance = 8;

inline constexpr uint32_t kRowChosen = 0xFFFFFFFF;
inline constexpr uint32_t kMenuHeading = 0xFFFFFFFF;
inline constexpr uint32_t kMenuHint = 0xFFA0A0B0;
inline constexpr uint32_t kMenuShadow = 0xC0000000;
// Over the title's picture behind a screen of many rows.
inline constexpr uint32_t kMenuShade = 0xD0000010;

const MenuLayout& LayoutOf(MenuScreen screen);

// The bar along the bottom while a replay plays: a strip, the track of the
// whole game with the sections marked, and a line of text under it.
struct BarLayout {
    float stripY, stripHeight;
    float trackX, trackY, trackWidth, trackHeight;
    float markHeight;
    float textY;
    uint32_t strip, track, played, mark;
};
inline constexpr BarLayout kPlaybackBar = {.stripY = 446,
                                           .stripHeight = 34,
                                           .trackX = 16,
                                           .trackY = 452,
                                           .trackWidth = 608,
                                           .trackHeight = 3,
                                           .markHeight = 9,
                                           .textY = 464,
                                           .strip = 0x60000000,
                                           .track = 0xFF505068,
                                           .played = 0xFFFFFFFF,
                                           .mark = 0xFFFFC040};

struct MenuRowText {
    std::string label;
    std::string value;  // drawn at the layout's valueX; empty for none
};

// A value Left and Right change, as its row shows it: "< EASY >".
inline std::string ChoiceText(const std::string& value) {
    return "< " + value + " >";
}

// The rows that fit, scrolled so the chosen one shows, the chosen bright.
void DrawMenuRows(const BitmapFont& font, const MenuLayout& layout,
                  std::span<const MenuRowText> rows, int cursor);
// A line of a menu (a heading, a hint) in the layout's manner.
void DrawMenuText(const BitmapFont& font, const MenuLayout& layout, std::string_view text, float x,
                  float y, uint32_t color);
// A line of a menu centred across the screen, in the layout's manner.
void DrawCentredText(const BitmapFont& font, const MenuLayout& layout, std::string_view text,
                     float y, uint32_t color);
// The first row shown when the chosen one must be in sight.
int FirstShownRow(const MenuLayout& layout, int rows, int cursor);
