#include "game/VideoBackground.h"

#include "util/AssetPath.h"
#include "util/AssetTable.h"
#include "util/StringUtil.h"

VideoBackground::VideoBackground(Platform& platform, GraphicsDevice& device, Window& window,
                                 const std::string& mediaDir, const std::string& remembered,
                                 std::function<void()> afterDialog)
    : platform(platform), device(device), window(window), afterDialog(std::move(afterDialog)) {
    // Looked for from the current folder first, then beside the program.
    const std::string video = AssetAt(AssetKind::Video, 0).file;
    defaultPath = ResolveAssetPath("Media/" + video);
    if (!FileExists(defaultPath)) defaultPath = ResolveAssetPath(mediaDir + video);
    if (!remembered.empty() && FileExists(remembered)) chosenPath = remembered;
    player =
        platform.CreateVideoPlayer(device, chosenPath.empty() ? defaultPath : chosenPath, false);
    videoTexture = player->GetTexture();
}

void VideoBackground::Play(const std::string& path) {
    // The old player goes first: it may hold the sound output.
    videoTexture = nullptr;
    player.reset();
    player = platform.CreateVideoPlayer(device, path, soundOn);
    StopAndRewind();
    videoTexture = player->GetTexture();
}

void VideoBackground::UseDefaultVideo() {
    if (chosenPath.empty()) return;
    chosenPath.clear();
    Play(defaultPath);
}

void VideoBackground::Loop() {
    if (player->GetCurrentPosition() >= player->GetStopTime()) Restart();
}

void VideoBackground::Restart() {
    player->Stop();
    player->Seek(0.0);
    player->Run();
}

void VideoBackground::StopAndRewind() {
    player->Stop();
    player->Seek(0.0);
}

bool VideoBackground::ChooseVideo() {
    // FFmpeg plays far more than the first three kinds: every file is offered,
    // and the usual video files one choice away.
    static const std::vector<FileChooser::Filter> filters = {
        {"All files", "*"},
        {"Video files", "*.wmv;*.avi;*.mpg;*.mpeg;*.mp4;*.m4v;*.mkv;*.webm;*.mov;*.ogv;*.flv"},
    };
    bool taken = false;
    window.ShowCursor(true);
    const Language language = platform.MessageLanguage();
    auto chosen = platform.GetFileChooser().ChooseFile(player_text::kChooserTitle.In(language),
                                                       filters, chosenPath);
    if (!chosen) {
        platform.GetDialogs().ShowMessageBox(player_text::kNoVideoChosen.In(language),
                                             player_text::kNoVideoChosenCaption.In(language),
                                             DialogButtons::Ok, DialogIcon::None);
    } else {
        chosenPath = *chosen;
        Play(chosenPath);
        taken = true;
    }
    window.ShowCursor(false);
    if (afterDialog) afterDialog();
    return taken;
}
