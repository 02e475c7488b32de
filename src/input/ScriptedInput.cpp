#include "input/ScriptedInput.h"

void ScriptedInput::Fill(PadState& pad) {
    if (next < steps.size()) pad = steps[next];
    ++next;
}
