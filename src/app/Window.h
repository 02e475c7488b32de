#pragma once
#include <cstdint>

#include "app/WindowMessage.h"

// The game's one top-level window and its message queue.
class Window {
public:
    virtual ~Window() = default;
    virtual uint32_t Id() const = 0;
    // Takes the next message if one is waiting.
    virtual bool PeekMessage(WindowMessage& msg) = 0;
    // Blocks until a message arrives.
    virtual void WaitMessage(WindowMessage& msg) = 0;
    // True while the window has the keyboard focus.
    virtual bool IsForeground() const = 0;
    // Queues a Quit message that ends the main loop.
    virtual void PostQuitMessage(int exitCode) = 0;
    // Takes the window off the screen and queues Destroy.
    virtual void Destroy() = 0;
    virtual void ShowCursor(bool show) = 0;
};
