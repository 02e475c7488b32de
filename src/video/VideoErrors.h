#pragma once
#include <cstdint>
#include <string>

#include "app/Dialogs.h"

// Shows a video error in an error box with the video player's caption. The
// format's "%x" receives the result code.
void ShowVideoError(Dialogs& dialogs, const char* format, uint32_t result);
// The same for a finished text, shown as it stands.
void ShowVideoText(Dialogs& dialogs, const std::string& text);
