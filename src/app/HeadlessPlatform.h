#pragma once
// Back ends for runs without a screen: an in-memory window, the null device,
// scripted input, and message boxes, sound, music and video that record what
// they were asked.
#include <deque>
#include <functional>
#include <vector>

#include "app/Platform.h"
#include "audio/SilentAudio.h"
#include "audio/SilentMusic.h"
#include "graphics/NullBackend.h"
#include "input/ScriptedInput.h"
#include "video/SimulatedVideo.h"

class HeadlessWindow : public Window {
public:
    explicit HeadlessWindow(bool focus = true) : focus(focus) {}
    bool PollEvent(ShellEvent& event) override;
    // Nothing can arrive while it waits: an empty queue gives Quit.
    ShellEvent WaitEvent() override;
    bool HasFocus() const override { return focus; }
    void Hide() override { hidden = true; }
    void ShowCursor(bool show) override { cursorShown = show; }

    // Queues an event as the desktop would send it; the focus changes with its event.
    void Post(ShellEvent event);
    bool IsHidden() const { return hidden; }
    bool IsCursorShown() const { return cursorShown; }

private:
    std::deque<ShellEvent> queue;
    bool focus, hidden = false, cursorShown = true;
};

class RecordingDialogs : public Dialogs {
public:
    struct Shown {
        std::string text, caption;
        DialogButtons buttons;
        DialogIcon icon;
    };
    DialogResult ShowMessageBox(const std::string& text, const std::string& caption,
                                DialogButtons buttons, DialogIcon icon) override;
    // The answers of the next boxes, in order; Ok once they run out.
    void QueueAnswer(DialogResult r) { answers.push_back(r); }
    const std::vector<Shown>& Boxes() const { return shown; }

private:
    std::vector<Shown> shown;
    std::deque<DialogResult> answers;
};

// A file dialog that gives the queued answers and remembers what it was asked.
class ScriptedChooser : public FileChooser {
public:
    struct Request {
        std::string title;
        std::vector<Filter> filters;
        std::string initialPath;
    };
    std::optional<std::string> ChooseFile(const std::string& title,
                                          const std::vector<Filter>& filters,
                                          const std::string& initialPath) override;
    // The answers of the next dialogs, in order; a cancel once they run out.
    void QueueAnswer(std::optional<std::string> path) { answers.push_back(std::move(path)); }
    const std::vector<Request>& Requests() const { return requests; }

private:
    std::vector<Request> requests;
    std::deque<std::optional<std::string>> answers;
};

class NullImageDecoder : public ImageDecoder {
public:
    Image Decode(const std::string&) override { return {}; }
};

class HeadlessPlatform : public Platform {
public:
    struct Options {
        std::string exeDir = "./";
        // The game's files when they are not in exeDir's Media/.
        std::string mediaDir;
        int refreshRate = 60;
        // Makes the render back end; the null device when empty.
        std::function<std::unique_ptr<RenderBackend>()> makeBackend;
        // Makes the image decoder; one that decodes nothing when empty.
        std::function<std::unique_ptr<ImageDecoder>()> makeImageDecoder;
        // Makes the video player for a file; a simulated clip of kSimulatedVideoLength
        // when empty.
        std::function<std::unique_ptr<VideoPlayer>(GraphicsDevice&, const std::string& path,
                                                   bool withSound)>
            makeVideoPlayer;
        // Where the high score is kept; a headless run keeps none unless told.
        std::string saveDir, userSaveDir;
        // What a start on a machine without a display, or where the window
        // cannot be made, meets.
        bool display = true, windowOpens = true;
        Language language = Language::English;
        // How keys are named; by their numbers unless told.
        KeyNames keyNames = NumberedKeyNames();
    };

    static constexpr double kSimulatedVideoLength = 24.0;

    HeadlessPlatform() : HeadlessPlatform(Options{}) {}
    explicit HeadlessPlatform(Options options);

    std::string ExecutableDir() override { return options.exeDir; }
    std::string MediaDir() override {
        return options.mediaDir.empty() ? Platform::MediaDir() : options.mediaDir;
    }
    std::string GameSaveDir() override { return options.saveDir; }
    std::string UserSaveDir() override { return options.userSaveDir; }
    bool HasDisplay() const override { return options.display; }
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
    TimeSource& GetTimeSource() override;
    void ApplySettings(const Settings& settings) override { applied.push_back(settings); }
    KeyNames GetKeyNames() override { return options.keyNames; }
    std::string Error() const override;
    Language MessageLanguage() const override { return options.language; }

    // What was made, for tests to drive and inspect (owned by the framework).
    HeadlessWindow* window = nullptr;
    RenderBackend* backend = nullptr;
    ScriptedInput* input = nullptr;
    SilentAudio* audio = nullptr;
    SilentMusic* music = nullptr;
    VideoPlayer* video = nullptr;
    std::string videoPath;
    bool videoWithSound = false;
    std::string iconPath;
    RecordingDialogs dialogs;
    ScriptedChooser chooser;
    // How many players were made; `video` is the last.
    int videosMade = 0;
    // Replaces the steady clock, for tests of the main loop.
    TimeSource* timeOverride = nullptr;
    // Every set of settings applied while the game ran, in order.
    std::vector<Settings> applied;

private:
    Options options;
    SteadyTimeSource steadyTime;
};
