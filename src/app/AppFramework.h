#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/FrameClock.h"
#include "app/Platform.h"
#include "graphics/GraphicsDevice.h"
#include "input/InputSystem.h"

// Thrown by the constructor when the game cannot run at all (no window, no
// graphics device); the user has been told already.
class StartupError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The application shell: the window, the device, the input, the message
// handling and the fixed-step main loop. The game derives from it.
class AppFramework {
public:
    AppFramework(const std::string& title, Platform& platform);
    virtual ~AppFramework();
    AppFramework(const AppFramework&) = delete;
    AppFramework& operator=(const AppFramework&) = delete;

    // The game's hooks, called by the framework.
    virtual intptr_t HandleMessage(const WindowMessage& msg);
    virtual void Update() {}
    virtual void Render() {}
    virtual void InvalidateDeviceObjects() {}
    virtual void RestoreDeviceObjects() {}

    // The main loop; returns the exit code of the Quit message.
    int Run();
    // One turn of the loop with no message waiting: advance the clock, update, draw.
    void IdleTurn();
    void RenderFrame();
    void ResetClock();
    void ApplyDisplayMode();
    void ToggleFullScreen();
    void SetFullScreen(bool on);

    GraphicsDevice& GetGraphicsDevice() { return *device; }
    Dialogs& GetDialogs() { return platform.GetDialogs(); }
    FrameClock& GetFrameClock() { return clock; }
    void SetConfirmClose(bool confirm) { confirmClose = confirm; }

    // Routes a message to the application that owns its window.
    static intptr_t FrameworkWindowProc(const WindowMessage& msg);
    // What a window does with a message nobody handles.
    static intptr_t DefaultWindowProc(const WindowMessage& msg);

protected:
    Platform& platform;
    std::unique_ptr<Window> window;
    std::unique_ptr<GraphicsDevice> device;
    std::unique_ptr<InputSystem> input;
    std::string exeDir;
    std::string title;
    FrameClock clock;
    bool confirmClose = true;
    int windowWidth = 640, windowHeight = 480;
    int fullScreenWidth = 640, fullScreenHeight = 480, fullScreenRefreshRate = 60;
    bool fullScreen = false;

private:
    void Dispatch(const WindowMessage& msg);
    [[noreturn]] void FailStartup(const std::string& reason);

    intptr_t (*windowProc)(const WindowMessage&) = &DefaultWindowProc;
    static std::map<uint32_t, AppFramework*> windowMap;
};
