#include "game/VideoBackground.h"

#include "util/AssetPath.h"
#include "util/AssetTable.h"
#include "util/StringUtil.h"

VideoBackground::VideoBackground(Platform& platform, GraphicsDevice& device, Window& window,
                                 const std::string& mediaDir, std::function<void()> afterDialog)
    : platform(platform), device(device), window(window), afterDialog(std::move(afterDialog)) {
    // Looked for from the current folder first, then beside the program.
    const std::string video = AssetAt(AssetKind::Video, 0).file;
    std::string path = ResolveAssetPath("Media/" + video);
    if (!FileExists(path)) path = ResolveAssetPath(mediaDir + video);
    player = platform.CreateVideoPlayer(device, path, false);
    videoTexture = player->GetTexture();
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

void VideoBackground::ChooseVideo() {
    static const std::vector<FileChooser::Filter> filters = {
        {"wmv(*.wmv)", "*.wmv"},
        {"avi(*.avi)", "*.avi"},
        {"mpg(*.mpg)", "*.mpg"},
        {"All files(*.*)", "*.*"},
    };
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
        // The old player goes first: it may hold the sound output.
        videoTexture = nullptr;
        player.reset();
        player = platform.CreateVideoPlayer(device, chosenPath, soundOn);
        StopAndRewind();
        videoTexture = player->GetTexture();
    }
    window.ShowCursor(false);
    if (afterDialog) afterDialog();
}
