#pragma once
// The services the framework is built on, chosen when it is constructed: the
// real ones for the game, headless ones for tests and tools.
#include <memory>
#include <string>

#include "app/Dialogs.h"
#include "app/FileChooser.h"
#include "app/PlayerTexts.h"
#include "app/Settings.h"
#include "app/TimeSource.h"
#include "app/Window.h"
#include "audio/AudioBackend.h"
#include "audio/MusicBackend.h"
#include "graphics/ImageDecoder.h"
#include "graphics/RenderBackend.h"
#include "input/InputSource.h"
#include "video/VideoPlayer.h"

class GraphicsDevice;

class Platform {
public:
    virtual ~Platform() = default;
    // The folder that holds Media/, with a trailing '/': the executable's own
    // unless the game was pointed at another.
    virtual std::string ExecutableDir() = 0;
    // The game's files, with a trailing '/'.
    virtual std::string MediaDir() { return ExecutableDir() + "Media/"; }
    // The folders where the game keeps its high score, with trailing '/': its own
    // (where it is read from and written to first) and the user's (when the
    // game's cannot be written, or the only one when the game's is empty, as
    // for an installed game). Both empty: the run keeps nothing.
    virtual std::string GameSaveDir() = 0;
    virtual std::string UserSaveDir() = 0;
    // False when there is no display to open a window on; Error() says why.
    virtual bool HasDisplay() const = 0;
    // Null when no window can be made; Error() says why.
    virtual std::unique_ptr<Window> CreateWindow(const std::string& title, int clientWidth,
                                                 int clientHeight, const std::string& iconPath) = 0;
    // Null when no device can be made; Error() says why.
    virtual std::unique_ptr<RenderBackend> CreateRenderBackend(Window& window) = 0;
    virtual std::unique_ptr<InputSource> CreateInputSource(Window& window) = 0;
    virtual std::unique_ptr<ImageDecoder> CreateImageDecoder() = 0;
    virtual std::unique_ptr<AudioBackend> CreateAudioBackend() = 0;
    virtual std::unique_ptr<MusicBackend> CreateMusicBackend() = 0;
    // Builds a player for the file and starts it; withSound: the video's own sound is heard.
    virtual std::unique_ptr<VideoPlayer> CreateVideoPlayer(GraphicsDevice& device,
                                                           const std::string& path,
                                                           bool withSound) = 0;
    virtual Dialogs& GetDialogs() = 0;
    virtual FileChooser& GetFileChooser() = 0;
    virtual TimeSource& GetTimeSource() = 0;
    // The player's settings while the game runs: the volumes, the picture's fit,
    // the keys and the pad's buttons reach what was made at once. (Full screen
    // is the framework's SetFullScreen.)
    virtual void ApplySettings(const Settings& settings) = 0;
    // How keys are named to the player and in the settings file.
    virtual KeyNames GetKeyNames() = 0;
    virtual std::string Error() const = 0;
    // The language of the texts the player reads in boxes.
    virtual Language MessageLanguage() const = 0;
};
