#pragma once
// A name typed with the pad, as arcades ask for one: Up and Down turn the
// letter in place, Left and Right move along the name, the hover button
// takes the letter in place out, fire or pause takes the name. Keys held when
// it appears do nothing until let go, and a key held down acts once.
#include <string>

#include "input/PadState.h"

class NameEntry {
public:
    // start: the name offered, as the score table keeps names.
    explicit NameEntry(const std::string& start);

    // One step's input; true once the name is taken.
    bool Read(const PadState& pad);
    // The name as typed, blanks at the end included.
    const std::string& Typed() const { return typed; }
    int Place() const { return place; }

private:
    std::string typed;
    int place = 0;
    bool held = true;
};
