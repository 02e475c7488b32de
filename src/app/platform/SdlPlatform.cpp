#include "app/platform/SdlPlatform.h"

#include <SDL.h>

#include <csignal>
#include <cstdlib>

#include "app/platform/GtkSession.h"
#include "app/platform/SdlWindow.h"
#include "audio/platform/FluidMusic.h"
#include "audio/platform/MixerSounds.h"
#include "graphics/platform/GlBackend.h"
#include "graphics/platform/SdlImageDecoder.h"
#include "input/platform/SdlInputSource.h"
#include "input/platform/SdlKeyNames.h"
#include "video/platform/FfmpegVideoPlayer.h"

namespace {

// The window's device: while a dialog holds the main thread, the window shows
// its last frame again whenever it would otherwise stay blank.
class WindowGlBackend : public GlBackend {
public:
    explicit WindowGlBackend(std::unique_ptr<GlSurface> surface) : GlBackend(std::move(surface)) {
        RepaintDuringDialogs([this] { ShowLastFrame(); });
    }
    ~WindowGlBackend() override { RepaintDuringDialogs(nullptr); }
};

// A back end the platform keeps reaching after handing it over, to give it new
// settings: its pointer in the platform is cleared when it goes.
template <class Made, class Kept = Made>
class Reachable final : public Made {
public:
    template <class... Args>
    explicit Reachable(Kept*& slot, Args&&... args)
        : Made(std::forward<Args>(args)...), slot(slot) {
        slot = this;
    }
    ~Reachable() override {
        if (slot == this) slot = nullptr;
    }

private:
    Kept*& slot;
};

float Gain(int volume) {
    return static_cast<float>(volume) / 100.0f;
}

// A hang-up (the terminal closed, the session ended) ends the game as a
// terminate signal does: SDL turns that one into its quit event, and the game
// leaves its loop and keeps its high score.
void HangUpAsTerminate(int) {
    std::raise(SIGTERM);
}

}  // namespace

SdlPlatform::SdlPlatform(DataDir data, Settings settings)
    : data(std::move(data)),
      settings(std::move(settings)),
      language(LanguageFrom([](const char* name) { return std::getenv(name); })) {
    // Closing the window is the game's decision, not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        error = std::string("no display: ") + SDL_GetError();
        return;
    }
    struct sigaction hangUp {};
    hangUp.sa_handler = &HangUpAsTerminate;
    hangUp.sa_flags = SA_RESTART;
    sigaction(SIGHUP, &hangUp, nullptr);
    // SDL falls back to a driver that shows nothing; only take it when asked for.
    std::string driver = SDL_GetCurrentVideoDriver();
    if ((driver == "offscreen" || driver == "dummy") && !SDL_getenv("SDL_VIDEODRIVER")) {
        error = "no display (neither X11 nor Wayland is reachable)";
        return;
    }
    videoReady = true;
}

SdlPlatform::~SdlPlatform() {
    std::signal(SIGHUP, SIG_DFL);  // SDL_Quit gives SIGTERM back its default
    mixer.reset();                 // closes the sound device, if the back ends let go of it
    SDL_Quit();
}

std::string SdlPlatform::ExecutableDir() {
    return data.dir.empty() ? ProgramDir() : data.dir;
}

std::string SdlPlatform::ProgramDir() {
    char* base = SDL_GetBasePath();
    std::string dir = base ? base : "./";
    SDL_free(base);
    return dir;
}

std::string SdlPlatform::UserSaveDir() {
    return UserDataDir(SDL_getenv("XDG_DATA_HOME"), SDL_getenv("HOME"), data.installPrefix);
}

std::unique_ptr<Window> SdlPlatform::CreateWindow(const std::string& title, int clientWidth,
                                                  int clientHeight, const std::string& iconPath) {
    if (!videoReady) return nullptr;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);  // the back buffer has its own depth
    auto made = SdlWindow::Create(title, clientWidth, clientHeight, iconPath);
    if (!made) {
        error = std::string("no window: ") + SDL_GetError();
        return nullptr;
    }
    made->SetPictureFit(settings.picture);
    SDL_DisableScreenSaver();
    dialogs.SetOwner(made->Handle());
    chooser.SetOwner(made->Handle());
    liveWindow = made.get();
    liveWindowId = SDL_GetWindowID(made->Handle());
    return made;
}

SdlWindow* SdlPlatform::LiveWindow() const {
    // SDL never gives a window's id to another: while the id still finds this
    // window's handle, the window has not gone.
    if (!liveWindow) return nullptr;
    SDL_Window* found = SDL_GetWindowFromID(liveWindowId);
    return found && found == liveWindow->Handle() ? liveWindow : nullptr;
}

std::unique_ptr<RenderBackend> SdlPlatform::CreateRenderBackend(Window& window) {
    auto surface = CreateWindowSurface(static_cast<SdlWindow&>(window).Handle(), error);
    if (!surface) return nullptr;
    auto made =
        std::make_unique<Reachable<WindowGlBackend, GlBackend>>(liveBackend, std::move(surface));
    made->SetPictureFit(settings.picture);
    return made;
}

std::unique_ptr<InputSource> SdlPlatform::CreateInputSource(Window& window) {
    return std::make_unique<Reachable<SdlInputSource>>(
        liveInput, static_cast<SdlWindow&>(window).Handle(), settings.keys, settings.pad);
}

std::unique_ptr<ImageDecoder> SdlPlatform::CreateImageDecoder() {
    return std::make_unique<SdlImageDecoder>();
}

std::shared_ptr<Mixer> SdlPlatform::SharedMixer() {
    if (!mixer) mixer = std::make_shared<Mixer>();
    return mixer;
}

std::unique_ptr<AudioBackend> SdlPlatform::CreateAudioBackend() {
    auto made = std::make_unique<Reachable<MixerSounds>>(liveSounds, SharedMixer());
    made->SetGain(Gain(settings.effectsVolume));
    return made;
}

std::unique_ptr<MusicBackend> SdlPlatform::CreateMusicBackend() {
    auto made =
        std::make_unique<Reachable<FluidMusic>>(liveMusic, SharedMixer(), FluidMusic::kSoundFont);
    made->SetGain(Gain(settings.musicVolume));
    return made;
}

void SdlPlatform::ApplySettings(const Settings& newSettings) {
    settings = newSettings;
    if (liveSounds) liveSounds->SetGain(Gain(settings.effectsVolume));
    if (liveMusic) liveMusic->SetGain(Gain(settings.musicVolume));
    if (liveInput) liveInput->SetBindings(settings.keys, settings.pad);
    if (liveBackend) liveBackend->SetPictureFit(settings.picture);
    if (SdlWindow* live = LiveWindow()) live->SetPictureFit(settings.picture);
}

KeyNames SdlPlatform::GetKeyNames() {
    return SdlKeyNames();
}

std::unique_ptr<VideoPlayer> SdlPlatform::CreateVideoPlayer(GraphicsDevice& device,
                                                            const std::string& path,
                                                            bool withSound) {
    auto player = std::make_unique<FfmpegVideoPlayer>(videoErrors);
    player->Build(device, path, withSound);
    return player;
}
