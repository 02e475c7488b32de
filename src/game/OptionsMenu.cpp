// SETTINGS: MUSIC, EFFECTS, FULL SCREEN, PICTURE and BACKGROUND change with Left and Right
// (confirming steps them on); a row per action for its keys, then the pad's
// buttons, each bound by confirming and pressing the new one; DEFAULTS; BACK.
#include <algorithm>
#include <array>

#include "game/MenuLayout.h"
#include "game/Scenes.h"
#include "game/TitlePicture.h"
#include "graphics/BitmapFont.h"
#include "graphics/Glyphs.h"
#include "input/Presses.h"
#include "input/Rebinding.h"

namespace {

enum class Setting { Music, Effects, FullScreen, Picture, Background, Key, Button, Defaults, Back };

struct OptionRow {
    Setting setting;
    int action = 0;  // a KeyAction for a key's row, a PadButton for a button's
};

constexpr auto kRows = std::to_array<OptionRow>({
    {Setting::Music},
    {Setting::Effects},
    {Setting::FullScreen},
    {Setting::Picture},
    {Setting::Background},
    {Setting::Key, static_cast<int>(KeyAction::Up)},
    {Setting::Key, static_cast<int>(KeyAction::Down)},
    {Setting::Key, static_cast<int>(KeyAction::Left)},
    {Setting::Key, static_cast<int>(KeyAction::Right)},
    {Setting::Key, static_cast<int>(KeyAction::Fire)},
    {Setting::Key, static_cast<int>(KeyAction::Hover)},
    {Setting::Key, static_cast<int>(KeyAction::Pause)},
    {Setting::Key, static_cast<int>(KeyAction::Freeze)},
    {Setting::Key, static_cast<int>(KeyAction::CatchUp)},
    {Setting::Key, static_cast<int>(KeyAction::Focus)},
    {Setting::Button, kButtonFire},
    {Setting::Button, kButtonHover},
    {Setting::Button, kButtonPause},
    {Setting::Button, kButtonFreeze},
    {Setting::Button, kButtonCatchUp},
    {Setting::Button, kButtonFocus},
    {Setting::Defaults},
    {Setting::Back},
});

constexpr int kVolumeStep = 10;
constexpr int kBackgroundStep = 25;
constexpr auto kPictureNames = std::to_array<const char*>({"ASPECT", "INTEGER", "STRETCH"});
static_assert(kPictureNames.size() == static_cast<std::size_t>(PictureFit::Stretch) + 1);

const OptionRow& RowAt(const MenuList& menu) {
    return kRows[static_cast<std::size_t>(menu.Cursor())];
}

KeyAction ActionOf(const OptionRow& row) {
    return row.setting == Setting::Key ? static_cast<KeyAction>(row.action)
                                       : ButtonAction(static_cast<PadButton>(row.action));
}

std::string Label(const OptionRow& row) {
    switch (row.setting) {
        case Setting::Music:
            return "MUSIC";
        case Setting::Effects:
            return "EFFECTS";
        case Setting::FullScreen:
            return "FULL SCREEN";
        case Setting::Picture:
            return "PICTURE";
        case Setting::Background:
            return "BACKGROUND";
        case Setting::Key:
            return std::string(ActionLabel(ActionOf(row)));
        case Setting::Button:
            return "PAD " + std::string(ActionLabel(ActionOf(row)));
        case Setting::Defaults:
            return "DEFAULTS";
        case Setting::Back:
            return "BACK";
    }
    return "";
}

std::string Value(const OptionRow& row, const OptionsControl& options) {
    const Settings& s = options.Current();
    switch (row.setting) {
        case Setting::Music:
            return ChoiceText(std::to_string(s.musicVolume));
        case Setting::Effects:
            return ChoiceText(std::to_string(s.effectsVolume));
        case Setting::FullScreen:
            return ChoiceText(options.InFullScreen() ? "ON" : "OFF");
        case Setting::Picture:
            return ChoiceText(kPictureNames[static_cast<std::size_t>(s.picture)]);
        case Setting::Background:
            return ChoiceText(std::to_string(s.background) + "%");
        case Setting::Key: {
            std::string keys;
            for (const KeyBinding& binding : s.keys) {
                if (binding.action != ActionOf(row)) continue;
                keys += (keys.empty() ? "" : ", ") + options.KeyCap(binding.scancode);
            }
            return keys;
        }
        case Setting::Button:
            return InFontGlyphs(ButtonListText(s.pad, static_cast<PadButton>(row.action)));
        case Setting::Defaults:
        case Setting::Back:
            return "";
    }
    return "";
}

}  // namespace

OptionsMenu::OptionsMenu(SceneHost& host) : Scene(host), menu(static_cast<int>(kRows.size())) {}

bool OptionsMenu::Back() {
    if (binding || confirmingDefaults) {
        binding = confirmingDefaults = false;
        message.clear();
        menu.Hold();
    } else {
        leaving = true;
    }
    return true;
}

bool OptionsMenu::Update() {
    if (binding) {
        ReadBinding();
        return true;
    }
    MenuAction action = menu.Read(host.Pad());
    if (confirmingDefaults) {
        if (action == MenuAction::Confirm) {
            confirmingDefaults = false;
            Keep(WithDefaultOptions(host.Options().Current()), OptionKeys(), "DEFAULTS SET");
        } else if (action == MenuAction::Back) {
            Back();
        }
    } else if (action == MenuAction::Confirm) {
        Confirm();
    } else if (action == MenuAction::Decrease || action == MenuAction::Increase) {
        Change(action == MenuAction::Increase ? 1 : -1);
    } else if (action == MenuAction::Back) {
        leaving = true;
    }
    if (!leaving) return true;
    host.CreateScene<TitleMenu>(static_cast<int>(TitleRow::Options));
    return false;
}

void OptionsMenu::Change(int by) {
    OptionsControl& options = host.Options();
    Settings s = options.Current();
    auto volume = [by](int v) { return std::clamp(v + by * kVolumeStep, 0, 100); };
    switch (RowAt(menu).setting) {
        case Setting::Music:
            s.musicVolume = volume(s.musicVolume);
            Keep(s, {{setting::kMusicVolume}});
            break;
        case Setting::Effects:
            s.effectsVolume = volume(s.effectsVolume);
            Keep(s, {{setting::kEffectsVolume}});
            options.PlaySample();
            break;
        case Setting::FullScreen:
            s.fullScreen = !options.InFullScreen();
            Keep(s, {{setting::kFullScreen}});
            break;
        case Setting::Background:
            s.background = std::clamp(s.background + by * kBackgroundStep, kDimmestBackground, 100);
            Keep(s, {{setting::kBackground}});
            break;
        case Setting::Picture: {
            int count = static_cast<int>(kPictureNames.size());
            s.picture = static_cast<PictureFit>((static_cast<int>(s.picture) + by + count) % count);
            Keep(s, {{setting::kPicture}});
            break;
        }
        default:
            break;
    }
}

void OptionsMenu::Confirm() {
    switch (RowAt(menu).setting) {
        case Setting::Key:
        case Setting::Button:
            binding = true;
            message.clear();
            break;
        case Setting::Defaults:
            confirmingDefaults = true;
            message = "SET EVERY OPTION TO ITS DEFAULT?  " +
                      FirstKeyCap(host.Options(), KeyAction::Fire) + " YES  " +
                      FirstKeyCap(host.Options(), KeyAction::Hover) + " NO";
            break;
        case Setting::Back:
            leaving = true;
            break;
        default:
            // A pad has no Left or Right to spare: confirming steps a value on.
            Change(1);
            break;
    }
}

void OptionsMenu::ReadBinding() {
    const Presses& presses = host.KeysPressed();
    const OptionRow& row = RowAt(menu);
    Settings s = host.Options().Current();
    // The settings' key of an action's keys, or of its buttons on a button's row.
    auto name = [&row](KeyAction action) {
        return row.setting == Setting::Key
                   ? SettingName(action)
                   : PadSettingName(static_cast<PadButton>(static_cast<int>(action) -
                                                           static_cast<int>(KeyAction::Fire)));
    };
    auto take = [&](const auto& rebound, auto table) {
        binding = false;
        // The key just pressed is still down: it must not act on the menu too.
        menu.Hold();
        if (rebound.Refused()) {
            message = rebound.message;
            return;
        }
        s.*table = rebound.table;
        std::array<std::string_view, 2> keys = {name(ActionOf(row))};
        std::size_t count = 1;
        if (rebound.movedFrom) keys[count++] = name(*rebound.movedFrom);
        Keep(s, std::span(keys.data(), count), rebound.message);
    };
    if (row.setting == Setting::Key) {
        // A pad player can only cancel a key's binding: B, as Esc does.
        if (presses.HasButton(ControllerButton::B)) {
            Back();
        } else if (int key = presses.FirstKey(); key != 0) {
            take(BindKey(s.keys, ActionOf(row), key, host.Options().Names()), &Settings::keys);
        }
    } else if (int button = presses.FirstButton(); button >= 0 && button < kControllerButtonCount) {
        take(BindButton(s.pad, static_cast<PadButton>(row.action),
                        static_cast<ControllerButton>(button)),
             &Settings::pad);
    }
}

void OptionsMenu::Keep(const Settings& changed, std::span<const std::string_view> keys,
                       std::string said) {
    std::string why = host.Options().ChangeOptions(changed, keys);
    message = why.empty() ? std::move(said) : why;
}

std::string OptionsMenu::BindingPrompt() const {
    if (!binding) return "";
    if (RowAt(menu).setting == Setting::Key) return "PRESS A KEY   ESC CANCELS";
    // Waiting for a button no pad can press would look like a hang.
    return host.Options().PadConnected() ? "PRESS A BUTTON   ESC CANCELS"
                                         : "NO PAD IS CONNECTED   ESC CANCELS";
}

void OptionsMenu::Draw() {
    DrawTitlePicture(host.Screen());
    host.Screen().Fill(0, 0, static_cast<float>(host.Screen().Width()),
                       static_cast<float>(host.Screen().Height()), kMenuShade);
    const MenuLayout& layout = LayoutOf(MenuScreen::Options);
    const BitmapFont& font = host.Screen().Font();
    const OptionsControl& options = host.Options();
    DrawMenuText(font, layout, "SETTINGS", layout.x, layout.headingY, kMenuHeading);
    std::vector<MenuRowText> rows;
    for (const OptionRow& row : kRows)
        rows.push_back({Label(row), Value(row, options)});
    if (binding) rows[static_cast<std::size_t>(menu.Cursor())].value = BindingPrompt();
    DrawMenuRows(font, layout, rows, menu.Cursor());
    if (!message.empty())
        DrawMenuText(font, layout, message.substr(0, 64), layout.x, layout.messageY, kMenuHeading);
    std::string fire = FirstKeyCap(options, KeyAction::Fire);
    std::string hover = FirstKeyCap(options, KeyAction::Hover);
    DrawMenuText(font, layout,
                 "LEFT RIGHT CHANGE   " + fire + " SET A KEY   " + hover + " OR ESC BACK", layout.x,
                 layout.hintY, kMenuHint);
}
