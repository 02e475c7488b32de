#include "input/ScriptedInput.h"

void ScriptedInput::Fill(PadRecords& pads) {
    if (!steps.empty()) {
        pads[0] = steps.front();
        steps.pop_front();
    }
    ++next;
}
