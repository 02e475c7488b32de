#include "app/AppFramework.h"

#include <cstdio>

#include "util/FileData.h"

namespace {
constexpr uint32_t kOpaqueBlack = 0xFF000000;
constexpr double kLostDeviceWait = 0.05;
// Pacing by the clock wakes this long before a step is due, then polls.
constexpr double kWakeMargin = 0.0002;
}  // namespace

AppFramework::AppFramework(const std::string& title, Platform& platform)
    : platform(platform), exeDir(platform.ExecutableDir()), title(title) {
    std::string iconPath = exeDir + "aaa.ico";
    std::string absent;
    if (!IsRegularFile(iconPath, absent)) iconPath.clear();  // the built-in icon
    if (!platform.HasDisplay()) FailStartup(player_text::kNoDisplay, platform.Error());
    window = platform.CreateWindow(title, windowWidth, windowHeight, iconPath);
    if (!window) FailStartup(player_text::kNoWindow, platform.Error());

    auto backend = platform.CreateRenderBackend(*window);
    if (!backend) FailStartup(player_text::kNoOpenGl, platform.Error());
    device = std::make_unique<GraphicsDevice>(std::move(backend), platform.CreateImageDecoder(),
                                              windowWidth, windowHeight);
    if (!device->ResetOrCreate())
        FailStartup(player_text::kNoOpenGl, "the graphics device could not be created");
    device->Clear(kOpaqueBlack);
    device->Present();
    if (fullScreen) ApplyDisplayMode();

    input = std::make_unique<InputSystem>(platform.CreateInputSource(*window));
}

void AppFramework::FailStartup(const PlayerText& failure, const std::string& detail) {
    std::fprintf(stderr, "velmora: cannot start: %s\n", detail.c_str());
    platform.GetDialogs().ShowMessageBox(failure.In(platform.MessageLanguage()), title,
                                         DialogButtons::Ok, DialogIcon::Error);
    throw StartupError(detail);
}

void AppFramework::HandleEvent(const ShellEvent& event) {
    switch (event.kind) {
        case ShellEventKind::Quit:
            CloseWindow();
            break;
        case ShellEventKind::ToggleFullScreen:
            ToggleFullScreen();
            OnFullScreenSwitched();
            break;
        case ShellEventKind::FocusLost:
            focused = false;
            break;
        case ShellEventKind::FocusGained:
            focused = true;
            break;
        case ShellEventKind::Repaint:
        case ShellEventKind::Resized:  // the picture is placed anew in the new size
            RenderFrame();
            break;
        case ShellEventKind::Escape:
            OnEscape();
            break;
        case ShellEventKind::KeyPressed:
            OnKeyPressed(event.code);
            break;
        case ShellEventKind::PadButtonPressed:
            OnPadButtonPressed(event.code);
            break;
        case ShellEventKind::None:
            break;
    }
}

void AppFramework::EndRun(int status) {
    if (!exitStatus) exitStatus = status;
}

void AppFramework::CloseWindow() {
    window->Hide();
    EndRun(0);
}

int AppFramework::Run() {
    RestoreDeviceObjects();
    ResetClock();
    focused = window->HasFocus();
    while (!exitStatus) {
        ShellEvent event;
        if (clock.waitWhenInactive && !focused) {
            // In the background: sleep until something happens, and owe the game nothing for it.
            HandleEvent(window->WaitEvent());
            ResetClock();
        } else if (window->PollEvent(event)) {
            HandleEvent(event);
        } else {
            IdleTurn();
        }
    }
    int status = *exitStatus;
    exitStatus.reset();
    return status;
}

void AppFramework::IdleTurn() {
    TimeSource& time = platform.GetTimeSource();
    clock.Advance(time);
    int refreshRate = device->GetRefreshRate();
    bool pacedByDisplay = static_cast<double>(refreshRate) == clock.framesPerSecond;
    if (!pacedByDisplay && clock.accumulatedFrames < 1.0) {
        double wait = clock.SecondsUntilNextStep() - kWakeMargin;
        if (wait > 0) time.Sleep(wait);
        return;
    }
    double overdue = clock.SecondsOverdue();
    if (clock.catchUp) {
        clock.DropWhatCannotBeCaughtUp();
        while (clock.accumulatedFrames >= 1.0) {
            Update();
            clock.accumulatedFrames -= 1.0;
        }
    } else {
        clock.accumulatedFrames = 0.0;
        Update();
    }
    // Presents that wait for no display keep the steps' beat, as a display's would.
    if (refreshRate == 0) {
        RenderFrameOnBeat(overdue);
    } else {
        RenderFrame();
    }
}

void AppFramework::RenderFrame() {
    if (DrawFrame()) device->Present();
}

void AppFramework::RenderFrameOnBeat(double overdue) {
    if (!DrawFrame()) return;
    device->Compose();
    TimeSource& time = platform.GetTimeSource();
    double step = 1.0 / clock.framesPerSecond;
    double drawn = overdue + clock.SecondsSinceReading(time);
    // A loop that woke a step late says nothing of how long drawing takes.
    if (overdue < step) beat.NoteDrawn(drawn);
    double wait = beat.Delay(step) - drawn;
    if (wait > 0) time.Sleep(wait);
    device->Present();
}

bool AppFramework::DrawFrame() {
    switch (device->TestCooperativeLevel()) {
        case CooperativeLevel::Lost:
            platform.GetTimeSource().Sleep(kLostDeviceWait);
            return false;
        case CooperativeLevel::Ok:
            break;
    }
    device->BeginScene();
    Render();
    device->EndScene();
    return true;
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
