// HOW TO PLAY: a page for each thing a new player meets, with the keys as bound.
#include <algorithm>
#include <cmath>

#include "game/MenuLayout.h"
#include "game/Scenes.h"
#include "game/TitlePicture.h"
#include "graphics/BitmapFont.h"
#include "graphics/Texture.h"

namespace {

enum class Picture { None, Fire, Focus, Graze, Options, Hover, Freeze };

struct Page {
    const char* heading;
    // Lines; %s stands for the key of the action given beside.
    struct Said {
        const char* text;
        KeyAction key = KeyAction::Fire;
    };
    Said lines[4];
    Picture picture = Picture::None;
};

// clang-format off
constexpr Page kPages[] = {
    {"MOVE AND FIRE",
     {{"%s MOVE THE SHIP", KeyAction::Up},
      {"HOLD %s TO FIRE", KeyAction::Fire},
      {"SHOOT THE ENEMIES, KEEP CLEAR OF THEIR BULLETS"}},
     Picture::Fire},
    {"FOCUS",
     {{"HOLD %s TO MOVE SLOWLY", KeyAction::Focus},
      {"THE WHITE BOX IS ALL OF THE SHIP A BULLET CAN HIT"},
      {"SLIP THROUGH A GAP FAR SMALLER THAN THE SHIP"}},
     Picture::Focus},
    {"GRAZE",
     {{"LET A BULLET PASS CLOSE: +50 POINTS"},
      {"A STAR FLASHES WHERE IT GRAZED"},
      {"EACH BULLET GRAZES ONCE"}},
     Picture::Graze},
    {"ITEMS AND OPTIONS",
     {{"SHOT ENEMIES DROP ITEMS: FLY INTO THEM"},
      {"AN OPTION FLIES WITH THE SHIP AND FIRES, UP TO TEN"},
      {"A BOMB ITEM CLEARS EVERY BULLET ON THE SCREEN"},
      {"YELLOW ITEMS ARE POINTS"}},
     Picture::Options},
    {"HOVER",
     {{"HOLD %s: THE OPTIONS FLY TO THE ENEMIES", KeyAction::Hover},
      {"AND FIRE FROM THERE WHILE THE SHIP STAYS SAFE"}},
     Picture::Hover},
    {"FREEZE, CATCH UP, PAUSE",
     {{"%s FREEZES THE GAME, AGAIN GOES ON", KeyAction::Freeze},
      {"%s SWITCHES CATCH UP: A SLOW COMPUTER", KeyAction::CatchUp},
      {"SKIPS PICTURES, NOT TIME"},
      {"%s PAUSES, ESC ASKS BEFORE A GAME IS LEFT", KeyAction::Pause}},
     Picture::Freeze},
};
// clang-format on

constexpr float kPictureY = 300;
constexpr uint32_t kShot = 0xFF80FF80, kBullet = 0xFFFF6090, kStar = 0xE0FFE060;
constexpr uint32_t kItem = 0xFFFFD040, kEnemy = 0xFFE04030, kOption = 0x90FFFFFF;
constexpr uint32_t kBoxEdge = 0xFFFFFFFF, kBoxShade = 0xC0000000;

std::string Keys(const OptionsControl& keys, KeyAction action) {
    if (action != KeyAction::Up) return FirstKeyCap(keys, action);
    std::string up = FirstKeyCap(keys, KeyAction::Up), down = FirstKeyCap(keys, KeyAction::Down),
                left = FirstKeyCap(keys, KeyAction::Left),
                right = FirstKeyCap(keys, KeyAction::Right);
    if (up == "UP" && down == "DOWN" && left == "LEFT" && right == "RIGHT") return "THE ARROWS";
    return up + " " + left + " " + down + " " + right;
}

void Centred(const SceneScreen& screen, std::string_view text, float y, uint32_t color) {
    DrawCentredText(screen.Font(), LayoutOf(MenuScreen::Results), text, y, color);
}

// The ship as the lives show it, centred on (x, y).
void Ship(const SceneScreen& screen, float x, float y) {
    const Texture& icon = screen.GetTexture("lifeIcon");
    float w = static_cast<float>(icon.ImageWidth()), h = static_cast<float>(icon.ImageHeight());
    icon.Draw(x - w / 2, y - h / 2, w, h, 0, 0, 1, 1, kRowChosen);
}

// An option: the ship small and see-through, as the game draws them.
void Option(const SceneScreen& screen, float x, float y) {
    const Texture& icon = screen.GetTexture("lifeIcon");
    float w = static_cast<float>(icon.ImageWidth()) / 2,
          h = static_cast<float>(icon.ImageHeight()) / 2;
    icon.Draw(x - w / 2, y - h / 2, w, h, 0, 0, 1, 1, kOption);
}

void DrawPicture(const SceneScreen& screen, Picture picture, int counter) {
    const float t = static_cast<float>(counter);
    switch (picture) {
        case Picture::None:
            return;
        case Picture::Fire: {
            float x = kScreenWidth / 2 + 120 * std::sin(t / 50);
            Ship(screen, x, kPictureY + 40);
            for (int i = 0; i < 4; ++i)
                screen.Fill(x - 1, kPictureY + 20 - static_cast<float>((counter * 4 + i * 24) % 96),
                            2, 8, kShot);
            return;
        }
        case Picture::Focus: {
            // Slow, with the box shown, half the time; fast the other half.
            bool focused = counter % 240 < 120;
            float x = kScreenWidth / 2 + (focused ? 24 : 120) * std::sin(t / (focused ? 40 : 20));
            Ship(screen, x, kPictureY + 40);
            if (focused) {
                screen.Fill(x - 3, kPictureY + 37, 6, 6, kBoxShade);
                screen.Fill(x - 2, kPictureY + 38, 4, 4, kBoxEdge);
                screen.Fill(x - 1, kPictureY + 39, 2, 2, kBoxShade);
            }
            Centred(screen, focused ? "FOCUSED" : "FULL SPEED", kPictureY + 80, kMenuHint);
            return;
        }
        case Picture::Options: {
            // An item falls into the ship, and one more option flies beside it.
            const float x = kScreenWidth / 2, y = kPictureY + 40;
            int fall = counter % 180;
            Ship(screen, x, y);
            Option(screen, x - 24, y + 10);
            Option(screen, x + 24, y + 10);
            if (fall < 90) {
                screen.Fill(x - 4, kPictureY - 40 + static_cast<float>(fall) * 0.9f, 8, 8, kItem);
            } else {
                Option(screen, x - 44, y + 18);
            }
            return;
        }
        case Picture::Hover: {
            // The options leave the ship for the enemy above and fire from there.
            const float x = kScreenWidth / 2, y = kPictureY + 50;
            float reach = std::min(static_cast<float>(counter % 200) / 80.0f, 1.0f);
            screen.Fill(x - 10, kPictureY - 30, 20, 12, kEnemy);
            Ship(screen, x, y);
            for (float side : {-1.0f, 1.0f}) {
                float ox = x + side * (24 - 12 * reach), oy = y + 10 - 66 * reach;
                Option(screen, ox, oy);
                if (reach >= 1.0f && counter % 8 < 4) screen.Fill(ox - 1, oy - 20, 2, 8, kShot);
            }
            return;
        }
        case Picture::Freeze: {
            // A bullet falls; frozen, it holds still until the key comes again.
            int phase = counter % 240;
            bool frozen = phase >= 60 && phase < 150;
            int moved = frozen ? 60 : (phase < 60 ? phase : phase - 90);
            screen.Fill(kScreenWidth / 2 - 3, kPictureY - 20 + static_cast<float>(moved), 6, 6,
                        kBullet);
            Ship(screen, kScreenWidth / 2, kPictureY + 70);
            if (frozen) Centred(screen, "FREEZE", kPictureY + 20, kRowChosen);
            return;
        }
        case Picture::Graze: {
            // A bullet falls past the ship's side; it flashes as it passes.
            int fall = counter % 120;
            float y = kPictureY - 20 + static_cast<float>(fall) * 1.5f;
            Ship(screen, kScreenWidth / 2, kPictureY + 40);
            screen.Fill(kScreenWidth / 2 + 18, y, 6, 6, kBullet);
            int since = fall - 40;
            if (since >= 0 && since < 12) {
                float arm = 2.0f + 10.0f * static_cast<float>(12 - since) / 12;
                float cx = kScreenWidth / 2 + 21, cy = kPictureY + 40;
                screen.Fill(cx - arm, cy - 1, 2 * arm, 2, kStar);
                screen.Fill(cx - 1, cy - arm, 2, 2 * arm, kStar);
                Centred(screen, "+50", kPictureY + 80, kRowChosen);
            }
            return;
        }
    }
}

}  // namespace

HowToPlay::HowToPlay(SceneHost& host, bool beforeFirstGame)
    : Scene(host), beforeFirstGame(beforeFirstGame) {}

bool HowToPlay::Update() {
    ++counter;
    const int last = static_cast<int>(std::size(kPages)) - 1;
    MenuAction action = menu.Read(host.Pad());
    if (action == MenuAction::Decrease && page > 0) --page, counter = 0;
    if ((action == MenuAction::Increase || action == MenuAction::Confirm) && page < last) {
        ++page;
        counter = 0;
    } else if (action == MenuAction::Confirm || action == MenuAction::Back) {
        leaving = true;
    }
    if (!leaving) return true;
    Leave();
    return false;
}

bool HowToPlay::Back() {
    leaving = true;
    return true;
}

void HowToPlay::Leave() {
    if (beforeFirstGame) {
        host.Game().StartGame();
    } else {
        host.CreateScene<TitleMenu>(static_cast<int>(TitleRow::HowToPlay));
    }
}

std::vector<std::string> HowToPlay::Lines() const {
    std::vector<std::string> lines;
    for (const Page::Said& said : kPages[page].lines) {
        if (!said.text) break;
        std::string text = said.text;
        if (std::size_t at = text.find("%s"); at != std::string::npos)
            text.replace(at, 2, Keys(host.Options(), said.key));
        lines.push_back(text);
    }
    return lines;
}

void HowToPlay::Draw() {
    const SceneScreen& screen = host.Screen();
    const MenuLayout& at = LayoutOf(MenuScreen::Results);
    DrawTitlePicture(screen);
    screen.Fill(0, 0, kScreenWidth, kScreenHeight, kMenuShade);
    const Page& shown = kPages[page];
    Centred(screen, "HOW TO PLAY", at.headingY - 24, kMenuHint);
    Centred(screen, shown.heading, at.headingY, kMenuHeading);
    float y = at.y;
    for (const std::string& line : Lines()) {
        Centred(screen, line, y, kRowChosen);
        y += at.rowHeight;
    }
    DrawPicture(screen, shown.picture, counter);
    std::string where = std::to_string(page + 1) + "/" + std::to_string(std::size(kPages));
    std::string hint = "LEFT RIGHT PAGE   " + FirstKeyCap(host.Options(), KeyAction::Fire) +
                       (page + 1 < static_cast<int>(std::size(kPages)) ? " NEXT" : " DONE") +
                       "   " + FirstKeyCap(host.Options(), KeyAction::Hover) +
                       (beforeFirstGame ? " PLAY" : " BACK") + "   " + where;
    Centred(screen, hint, at.hintY, kMenuHint);
}
