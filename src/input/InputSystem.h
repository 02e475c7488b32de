#pragma once
#include <memory>

#include "input/InputSource.h"

// Sixteen pad records, cleared and refilled from the source once per step.
class InputSystem {
public:
    explicit InputSystem(std::unique_ptr<InputSource> source);
    void Update();
    const PadState& GetState(int index) const;
    InputSource& Source() { return *source; }

private:
    PadRecords pads{};
    std::unique_ptr<InputSource> source;
};
