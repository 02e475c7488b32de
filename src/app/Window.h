#pragma once
#include "app/ShellEvent.h"

// The game's one top-level window and the events it brings.
class Window {
public:
    virtual ~Window() = default;
    // Takes the next event if one is waiting.
    virtual bool PollEvent(ShellEvent& event) = 0;
    // Blocks until an event arrives.
    virtual ShellEvent WaitEvent() = 0;
    // Whether the window has the keyboard now; FocusLost and FocusGained tell of
    // every change after.
    virtual bool HasFocus() const = 0;
    // Takes the window off the screen: the game is ending.
    virtual void Hide() = 0;
    virtual void ShowCursor(bool show) = 0;
};
