#pragma once
#include <memory>

#include "input/InputSource.h"

// The pad state, cleared and refilled from the source once per step.
class InputSystem {
public:
    explicit InputSystem(std::unique_ptr<InputSource> source);
    void Update();
    const PadState& GetState() const { return pad; }
    // Of the devices, whatever plays over them.
    bool PadConnected() const { return source && source->PadConnected(); }
    // From now on the state comes from this source instead; the devices stay
    // open but unread (a replay plays over the game's own input).
    void Override(std::unique_ptr<InputSource> other) { override = std::move(other); }

private:
    PadState pad;
    std::unique_ptr<InputSource> source;
    std::unique_ptr<InputSource> override;
};
