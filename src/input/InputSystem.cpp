#include "input/InputSystem.h"

#include <cassert>

InputSystem::InputSystem(std::unique_ptr<InputSource> source) : source(std::move(source)) {}

void InputSystem::Update() {
    pads.fill(PadState{});
    if (source) source->Fill(pads);
}

const PadState& InputSystem::GetState(int index) const {
    assert(index >= 0 && index < kPadRecordCount);
    return pads[index];
}
