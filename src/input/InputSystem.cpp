#include "input/InputSystem.h"

InputSystem::InputSystem(std::unique_ptr<InputSource> source) : source(std::move(source)) {}

void InputSystem::Update() {
    pad = PadState{};
    if (InputSource* from = override ? override.get() : source.get()) from->Fill(pad);
}
