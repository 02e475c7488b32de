#pragma once
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/FrameClock.h"
#include "app/Platform.h"
#include "app/PresentBeat.h"
#include "graphics/GraphicsDevice.h"
#include "input/InputSystem.h"

// Thrown by the constructor when the game cannot run at all (no display, no
// window, no graphics device); the player has been told already.
class StartupError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The application shell: the window, the device, the input, the window's
// events and the fixed-step main loop. The game derives from it.
class AppFramework {
public:
    AppFramework(const std::string& title, Platform& platform);
    virtual ~AppFramework() = default;
    AppFramework(const AppFramework&) = delete;
    AppFramework& operator=(const AppFramework&) = delete;

    // The game's hooks, called by the framework.
    virtual void Update() {}
    virtual void Render() {}
    virtual void InvalidateDeviceObjects() {}
    virtual void RestoreDeviceObjects() {}
    // Esc; unless the game has a use for it, the game ends at once.
    virtual void OnEscape() { CloseWindow(); }
    // The player switched between window and full screen (Alt+Enter, F11, a
    // double click): a game may remember it.
    virtual void OnFullScreenSwitched() {}
    // A key other than Esc and the display mode's (its scancode), and a
    // controller's button, as they are pressed; repeats do not count.
    virtual void OnKeyPressed(int /*scancode*/) {}
    virtual void OnPadButtonPressed(int /*button*/) {}

    // The main loop; returns the status given to EndRun.
    int Run();
    // What the loop does with an event of the window.
    void HandleEvent(const ShellEvent& event);
    // Run ends once the turn under way is over, with this status; the first call decides.
    void EndRun(int exitStatus);
    // The status Run is about to end with; nothing while it goes on.
    std::optional<int> ExitStatus() const { return exitStatus; }
    // Takes the window off the screen and ends Run with 0.
    void CloseWindow();
    // One turn of the loop with no event waiting: advance the clock, update, draw.
    void IdleTurn();
    // Draws a frame and shows it at once.
    void RenderFrame();
    void ResetClock();
    void ApplyDisplayMode();
    void ToggleFullScreen();
    void SetFullScreen(bool on);

    GraphicsDevice& GetGraphicsDevice() { return *device; }
    Dialogs& GetDialogs() { return platform.GetDialogs(); }
    FrameClock& GetFrameClock() { return clock; }

protected:
    Platform& platform;
    std::unique_ptr<Window> window;
    std::unique_ptr<GraphicsDevice> device;
    std::unique_ptr<InputSystem> input;
    std::string exeDir;
    std::string title;
    FrameClock clock;
    int windowWidth = 640, windowHeight = 480;
    int fullScreenWidth = 640, fullScreenHeight = 480, fullScreenRefreshRate = 60;
    bool fullScreen = false;

private:
    // Says what failed, in a box and on stderr, and gives up.
    [[noreturn]] void FailStartup(const PlayerText& failure, const std::string& detail);
    // Draws a frame and shows it on the steps' beat; overdue: how long ago its step fell due.
    void RenderFrameOnBeat(double overdue);
    // The game's picture of this frame, finished; false while the device is lost.
    bool DrawFrame();

    // Whether the window has the keyboard, as its events last said.
    bool focused = true;
    PresentBeat beat;
    std::optional<int> exitStatus;
};
