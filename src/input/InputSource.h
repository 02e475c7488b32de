#pragma once
#include "input/InputMapping.h"

// Where the held state comes from: the real devices or a script of steps.
// Fill is given a cleared state and ORs into it.
class InputSource {
public:
    virtual ~InputSource() = default;
    virtual void Fill(PadState& pad) = 0;
    // Whether a game pad was there at the last read. A script of steps plays
    // the part of one.
    virtual bool PadConnected() const { return true; }
};
