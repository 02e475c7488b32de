// The player's settings while the game runs: the OPTIONS screen's changes and
// the title's choices, taken at once and written to the settings file.
#include <cstdio>

#include "app/SettingsFile.h"
#include "game/GameApp.h"
#include "graphics/Glyphs.h"

namespace {
// What fits right of the title's rows.
constexpr std::size_t kShownVideoName = 20;
}  // namespace

std::string GameApp::ChangeOptions(const Settings& changed,
                                   std::span<const std::string_view> keys) {
    settings = changed;
    platform.ApplySettings(settings);
    ShowBackgroundAsSet();
    if (settings.fullScreen != fullScreen) SetFullScreen(settings.fullScreen);
    return KeepSettings(keys);
}

std::string GameApp::ChooseVideo() {
    if (!video->ChooseVideo()) return "";
    settings.video = video->ChosenPath();
    return KeepSettings({{setting::kVideo}});
}

std::string GameApp::UseDefaultVideo() {
    video->UseDefaultVideo();
    if (settings.video.empty()) return "";
    settings.video.clear();
    return KeepSettings({{setting::kVideo}});
}

std::string GameApp::VideoName() const {
    const std::string& path = video->ChosenPath();
    if (path.empty()) return "DEFAULT";
    std::string name = InFontGlyphs(path.substr(path.find_last_of('/') + 1));
    // A long name keeps its end, where the kind of file shows.
    return name.size() > kShownVideoName ? ".." + name.substr(name.size() - kShownVideoName + 2)
                                         : name;
}

void GameApp::ShowBackgroundAsSet() {
    session->Field().backgroundLight = static_cast<float>(settings.background) / 100.0f;
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
