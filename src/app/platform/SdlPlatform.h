#pragma once
#include "app/DataDir.h"
#include "app/Platform.h"
#include "app/Settings.h"
#include "app/VideoErrorBoxes.h"
#include "app/platform/DesktopFileChooser.h"
#include "app/platform/GtkDialogs.h"
#include "audio/platform/Mixer.h"

class FluidMusic;
class MixerSounds;
class SdlInputSource;
class SdlWindow;
class GlBackend;

// The real back ends: an SDL2 window, OpenGL, SDL2_image, SDL input, sound
// through SDL2_mixer with FluidSynth for the music, FFmpeg video and GTK dialogs.
class SdlPlatform : public Platform {
public:
    // data: where Media/ is (the executable's folder when empty); the settings
    // give the volumes, the keys, the pad's buttons and the picture's fit.
    explicit SdlPlatform(DataDir data = {}, Settings settings = {});
    ~SdlPlatform() override;

    // The folder of the running program, with a trailing '/'.
    static std::string ProgramDir();
    std::string ExecutableDir() override;
    // Media/ of the game's data, but nothing for an installed game, which keeps
    // everything in $XDG_DATA_HOME/velmora/ (~/.local/share/velmora/).
    std::string GameSaveDir() override { return data.Installed() ? "" : MediaDir(); }
    std::string UserSaveDir() override;
    bool HasDisplay() const override { return videoReady; }
    std::unique_ptr<Window> CreateWindow(const std::string& title, int clientWidth,
                                         int clientHeight, const std::string& iconPath) override;
    std::unique_ptr<RenderBackend> CreateRenderBackend(Window& window) override;
    std::unique_ptr<InputSource> CreateInputSource(Window& window) override;
    std::unique_ptr<ImageDecoder> CreateImageDecoder() override;
    std::unique_ptr<AudioBackend> CreateAudioBackend() override;
    std::unique_ptr<MusicBackend> CreateMusicBackend() override;
    std::unique_ptr<VideoPlayer> CreateVideoPlayer(GraphicsDevice& device, const std::string& path,
                                                   bool withSound) override;
    Dialogs& GetDialogs() override { return dialogs; }
    FileChooser& GetFileChooser() override { return chooser; }
    TimeSource& GetTimeSource() override { return time; }
    void ApplySettings(const Settings& newSettings) override;
    KeyNames GetKeyNames() override;
    std::string Error() const override { return error; }
    Language MessageLanguage() const override { return language; }

private:
    // The sound output the effects, the music and the video's sound share,
    // opened on first use.
    std::shared_ptr<Mixer> SharedMixer();
    // The window, if it is still there.
    SdlWindow* LiveWindow() const;

    GtkDialogs dialogs;
    VideoErrorBoxes videoErrors{dialogs};
    DesktopFileChooser chooser;
    std::shared_ptr<Mixer> mixer;
    SteadyTimeSource time;
    DataDir data;
    Settings settings;
    std::string error;
    bool videoReady = false;
    Language language;
    // What was made and takes new settings; each clears its own when it goes.
    SdlWindow* liveWindow = nullptr;
    uint32_t liveWindowId = 0;
    GlBackend* liveBackend = nullptr;
    SdlInputSource* liveInput = nullptr;
    MixerSounds* liveSounds = nullptr;
    FluidMusic* liveMusic = nullptr;
};
