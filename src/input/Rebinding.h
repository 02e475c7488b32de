#pragma once
// Binding one key or button to an action, as the options screen does: the
// action's keys (buttons) are replaced by the one chosen. A key another action
// had moves over, unless that action would be left with none; the keys the
// game keeps for itself and the D-pad are refused.
#include <optional>
#include <string>

#include "input/KeyTable.h"
#include "input/PadTable.h"

enum class RebindOutcome {
    Bound,         // the action has the key now
    Moved,         // and the key was taken from another action
    Reserved,      // refused: Esc, F11 or Alt
    LastOne,       // refused: another action would have no key (button) left
    Unnamed,       // refused: the key has no name the settings file could keep
    MovesTheShip,  // refused: a D-pad button
};

template <class Table>
struct Rebound {
    Table table;  // the new table; the old one when refused
    RebindOutcome outcome;
    std::optional<KeyAction> movedFrom;  // whose key it was, for Moved and LastOne
    // What the screen says, in the font's letters ("MOVED FROM FIRE"); empty
    // for a plain Bound.
    std::string message;

    bool Refused() const {
        return outcome != RebindOutcome::Bound && outcome != RebindOutcome::Moved;
    }
};

Rebound<KeyTable> BindKey(const KeyTable& table, KeyAction action, int scancode,
                          const KeyNames& names);
Rebound<PadTable> BindButton(const PadTable& table, PadButton action, ControllerButton button);
