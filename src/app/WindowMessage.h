#pragma once
#include <cstdint>

// Window messages, as the platform's event loop translates them.
enum class MessageId {
    None,
    Quit,             // ends Run; carries the exit code
    Destroy,          // the window is gone
    Paint,            // the window needs drawing
    Close,            // the user asked to close the window
    NcLButtonDblClk,  // a double click on the window toggles full screen
    Command,          // a translated accelerator key, param = command id
    SysCommand,       // param = SysCommandId
};

// Accelerator command ids.
enum CommandId : int {
    kCommandClose = 0,     // Esc
    kCommandAltEnter = 1,  // Alt+Enter
    kCommandF1 = 2,        // F1
    kCommandShiftF1 = 3,   // Shift+F1
    kCommandF11 = 4,       // F11
};

enum SysCommandId : int {
    kSysKeyMenu = 0,  // a lone Alt press: the system would show a menu
};

struct WindowMessage {
    MessageId id = MessageId::None;
    int param = 0;
    uint32_t windowId = 0;
};
