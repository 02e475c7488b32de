#pragma once
// What the desktop tells the game through its window, in the game's words.
enum class ShellEventKind {
    None,
    Quit,              // the window was closed, or a signal asks the game to end
    ToggleFullScreen,  // Alt+Enter, F11 or a double click on the window
    FocusLost,         // another window took the keyboard
    FocusGained,
    Repaint,           // the window's picture was lost and must be drawn again
    Resized,           // the window changed its size
    Escape,            // Esc was pressed
    KeyPressed,        // any other key: code is its scancode (the USB HID number)
    PadButtonPressed,  // code is the controller's button, numbered as SDL numbers them
};

struct ShellEvent {
    ShellEventKind kind = ShellEventKind::None;
    int code = 0;
};
