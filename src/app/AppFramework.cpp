#include "app/AppFramework.h"

#include <cstdio>

#include "util/FileData.h"

namespace {
constexpr const char* kNoDeviceMessage = "このプログラムにはOpenGL 3.3以上が必要です。";
constexpr uint32_t kOpaqueBlack = 0xFF000000;
constexpr double kLostDeviceWait = 0.05;
// Pacing by the clock wakes this long before a step is due, then polls.
constexpr double kWakeMargin = 0.0002;
}  // namespace

std::map<uint32_t, AppFramework*> AppFramework::windowMap;

AppFramework::AppFramework(const std::string& title, Platform& platform)
    : platform(platform), exeDir(platform.ExecutableDir()), title(title) {
    std::string iconPath = exeDir + "aaa.ico";
    std::string absent;
    if (!IsRegularFile(iconPath, absent)) iconPath.clear();  // the built-in icon
    window = platform.CreateWindow(title, windowWidth, windowHeight, iconPath);
    if (!window) FailStartup(platform.Error());
    windowMap[window->Id()] = this;

    auto backend = platform.CreateRenderBackend(*window);
    if (!backend) FailStartup(platform.Error());
    device = std::make_unique<GraphicsDevice>(std::move(backend), platform.CreateImageDecoder(),
                                              windowWidth, windowHeight);
    if (!device->ResetOrCreate()) FailStartup("the graphics device could not be created");
    device->Clear(kOpaqueBlack);
    device->Present();
    if (fullScreen) ApplyDisplayMode();

    input = std::make_unique<InputSystem>(platform.CreateInputSource(*window));
}

AppFramework::~AppFramework() {
    if (window) windowMap.erase(window->Id());
}

void AppFramework::FailStartup(const std::string& reason) {
    // The object is never completed, so its destructor will not take the window out.
    if (window) windowMap.erase(window->Id());
    std::fprintf(stderr, "velmora: cannot start: %s\n", reason.c_str());
    platform.GetDialogs().ShowMessageBox(kNoDeviceMessage, title, DialogButtons::Ok,
                                         DialogIcon::Error);
    throw StartupError(reason);
}

intptr_t AppFramework::HandleMessage(const WindowMessage& msg) {
    switch (msg.id) {
        case MessageId::Destroy:
            window->PostQuitMessage(0);
            return 0;
        case MessageId::Paint:
            RenderFrame();
            break;
        case MessageId::Close:
            if (confirmClose &&
                GetDialogs().ShowMessageBox("終了します？", "終了", DialogButtons::OkCancel,
                                            DialogIcon::None) != DialogResult::Ok) {
                return 0;
            }
            window->Destroy();
            return 0;
        case MessageId::NcLButtonDblClk:
            ToggleFullScreen();
            return 0;
        case MessageId::Command:
            if (msg.param == kCommandClose) {
                HandleMessage(WindowMessage{MessageId::Close, 0, msg.windowId});
                return 0;
            }
            if (msg.param == kCommandShiftF1) return 0;
            if (msg.param == kCommandAltEnter || msg.param == kCommandF11) {
                ToggleFullScreen();
                return 0;
            }
            break;
        case MessageId::SysCommand:
            if (msg.param == kSysKeyMenu) device->FlipToGdi();
            break;
        default:
            break;
    }
    return DefaultWindowProc(msg);
}

intptr_t AppFramework::FrameworkWindowProc(const WindowMessage& msg) {
    auto it = windowMap.find(msg.windowId);
    if (it == windowMap.end()) return DefaultWindowProc(msg);
    return it->second->HandleMessage(msg);
}

intptr_t AppFramework::DefaultWindowProc(const WindowMessage&) {
    return 0;
}

void AppFramework::Dispatch(const WindowMessage& msg) {
    if (msg.id != MessageId::Quit) windowProc(msg);
}

int AppFramework::Run() {
    RestoreDeviceObjects();
    windowProc = &FrameworkWindowProc;
    WindowMessage msg;
    ResetClock();
    while (msg.id != MessageId::Quit) {
        if (clock.waitWhenInactive && !window->IsForeground()) {
            // In the background: sleep in the queue, and owe the game nothing for it.
            window->WaitMessage(msg);
            Dispatch(msg);
            ResetClock();
        } else if (window->PeekMessage(msg)) {
            Dispatch(msg);
        } else {
            IdleTurn();
        }
    }
    windowProc = &DefaultWindowProc;
    return msg.param;
}

void AppFramework::IdleTurn() {
    TimeSource& time = platform.GetTimeSource();
    clock.Advance(time);
    bool pacedByDisplay = static_cast<double>(device->GetRefreshRate()) == clock.framesPerSecond;
    if (!pacedByDisplay && clock.accumulatedFrames < 1.0) {
        double wait = clock.SecondsUntilNextStep() - kWakeMargin;
        if (wait > 0) time.Sleep(wait);
        return;
    }
    if (clock.catchUp) {
        while (clock.accumulatedFrames >= 1.0) {
            Update();
            clock.accumulatedFrames -= 1.0;
        }
    } else {
        clock.accumulatedFrames = 0.0;
        Update();
    }
    RenderFrame();
}

void AppFramework::RenderFrame() {
    switch (device->TestCooperativeLevel()) {
        case CooperativeLevel::Lost:
            platform.GetTimeSource().Sleep(kLostDeviceWait);
            return;
        case CooperativeLevel::NotReset:
            InvalidateDeviceObjects();
            if (device->ResetOrCreate()) RestoreDeviceObjects();
            return;
        case CooperativeLevel::Ok:
            break;
    }
    device->BeginScene();
    Render();
    device->EndScene();
    device->Present();
}

void AppFramework::ResetClock() {
    clock.Reset(platform.GetTimeSource());
}

void AppFramework::ApplyDisplayMode() {
    if (fullScreen) {
        device->SetWidth(fullScreenWidth);
        device->SetHeight(fullScreenHeight);
        device->SetRefreshRate(fullScreenRefreshRate);
    } else {
        device->SetWidth(windowWidth);
        device->SetHeight(windowHeight);
        device->SetRefreshRate(0);
    }
    device->SetFullScreen(fullScreen);
    InvalidateDeviceObjects();
    if (device->ResetOrCreate()) RestoreDeviceObjects();
}

void AppFramework::ToggleFullScreen() {
    SetFullScreen(!device->IsFullScreen());
}

void AppFramework::SetFullScreen(bool on) {
    fullScreen = on;
    ApplyDisplayMode();
}
