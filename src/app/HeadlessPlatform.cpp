#include "app/HeadlessPlatform.h"

bool HeadlessWindow::PollEvent(ShellEvent& event) {
    if (queue.empty()) return false;
    event = queue.front();
    queue.pop_front();
    return true;
}

ShellEvent HeadlessWindow::WaitEvent() {
    ShellEvent event{ShellEventKind::Quit};
    PollEvent(event);
    return event;
}

void HeadlessWindow::Post(ShellEvent event) {
    if (event.kind == ShellEventKind::FocusLost) focus = false;
    if (event.kind == ShellEventKind::FocusGained) focus = true;
    queue.push_back(event);
}

DialogResult RecordingDialogs::ShowMessageBox(const std::string& text, const std::string& caption,
                                              DialogButtons buttons, DialogIcon icon) {
    shown.push_back(Shown{text, caption, buttons, icon});
    if (answers.empty()) return DialogResult::Ok;
    DialogResult r = answers.front();
    answers.pop_front();
    return r;
}

std::optional<std::string> ScriptedChooser::ChooseFile(const std::string& title,
                                                       const std::vector<Filter>& filters,
                                                       const std::string& initialPath) {
    requests.push_back(Request{title, filters, initialPath});
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

HeadlessPlatform::HeadlessPlatform(Options options) : options(std::move(options)) {}

std::string HeadlessPlatform::Error() const {
    if (!options.display) return "no display (a headless one without)";
    if (!options.windowOpens) return "no window (a headless one that will not open)";
    return "";
}

std::unique_ptr<Window> HeadlessPlatform::CreateWindow(const std::string&, int, int,
                                                       const std::string& icon) {
    iconPath = icon;
    if (!options.display || !options.windowOpens) return nullptr;
    auto w = std::make_unique<HeadlessWindow>();
    window = w.get();
    return w;
}

std::unique_ptr<RenderBackend> HeadlessPlatform::CreateRenderBackend(Window&) {
    std::unique_ptr<RenderBackend> b = options.makeBackend
                                           ? options.makeBackend()
                                           : std::make_unique<NullBackend>(options.refreshRate);
    backend = b.get();
    return b;
}

std::unique_ptr<InputSource> HeadlessPlatform::CreateInputSource(Window&) {
    auto s = std::make_unique<ScriptedInput>();
    input = s.get();
    return s;
}

std::unique_ptr<ImageDecoder> HeadlessPlatform::CreateImageDecoder() {
    if (options.makeImageDecoder) return options.makeImageDecoder();
    return std::make_unique<NullImageDecoder>();
}

TimeSource& HeadlessPlatform::GetTimeSource() {
    return timeOverride ? *timeOverride : steadyTime;
}

std::unique_ptr<AudioBackend> HeadlessPlatform::CreateAudioBackend() {
    auto a = std::make_unique<SilentAudio>();
    audio = a.get();
    return a;
}

std::unique_ptr<MusicBackend> HeadlessPlatform::CreateMusicBackend() {
    auto m = std::make_unique<SilentMusic>();
    music = m.get();
    return m;
}

std::unique_ptr<VideoPlayer> HeadlessPlatform::CreateVideoPlayer(GraphicsDevice& device,
                                                                 const std::string& path,
                                                                 bool withSound) {
    videoPath = path;
    videoWithSound = withSound;
    ++videosMade;
    std::unique_ptr<VideoPlayer> v;
    if (options.makeVideoPlayer) {
        v = options.makeVideoPlayer(device, path, withSound);
    } else {
        auto now = [this] {
            int64_t counter = 0, frequency = 1;
            if (!GetTimeSource().QueryCounter(counter, frequency)) return 0.0;
            return static_cast<double>(counter) / static_cast<double>(frequency);
        };
        v = std::make_unique<SimulatedVideo>(now, kSimulatedVideoLength);
    }
    video = v.get();
    return v;
}
