// The player's settings while the game runs: the OPTIONS screen's changes and
// the title's choices, taken at once and written to the settings file.
#include <cstdio>

#include "app/SettingsFile.h"
#include "game/GameApp.h"
#include "graphics/Glyphs.h"

std::string GameApp::ChangeOptions(const Settings& changed,
                                   std::span<const std::string_view> keys) {
    settings = changed;
    platform.ApplySettings(settings);
    if (settings.fullScreen != fullScreen) SetFullScreen(settings.fullScreen);
    return KeepSettings(keys);
}

void GameApp::OnFullScreenSwitched() {
    // The OPTIONS row, the file and the screen say the same, and a later
    // change of another option does not switch it back.
    settings.fullScreen = fullScreen;
    KeepSettings({{setting::kFullScreen}});
}

std::string GameApp::KeepSettings(std::span<const std::string_view> keys) {
    SettingsWrite write = SaveSettings(settingsPath, settings, keys, keyNames);
    if (write.written) return "";
    std::fprintf(stderr, "velmora: %s\n", write.detail.c_str());
    return write.reason + ": KEPT UNTIL THE GAME ENDS";
}

std::string GameApp::KeyCap(int scancode) const {
    return keyNames.name ? InFontGlyphs(keyNames.name(scancode)) : "";
}

void GameApp::PlaySample() {
    soundPlayer->Play(sounds[SoundRef("sndCap1").index]);
}
