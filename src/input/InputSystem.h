#pragma once
#include <memory>

#include "input/InputSource.h"

// The pad state, cleared and refilled from the source once per step.
class InputSystem {
public:
    explicit InputSystem(std::unique_ptr<InputSource> source);
    void Update();
    const PadState& GetState() const { return pad; }
    InputSource& Source() { return *source; }

private:
    PadState pad;
    std::unique_ptr<InputSource> source;
};
