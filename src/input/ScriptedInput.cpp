#include "input/ScriptedInput.h"

void ScriptedInput::Fill(PadRecords& pads) {
    if (next < steps.size()) pads[0] = steps[next];
    ++next;
}
