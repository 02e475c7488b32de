#pragma once
#include <array>

#include "input/InputMapping.h"

using PadRecords = std::array<PadState, kPadRecordCount>;

// Where the held state comes from: the real devices or a script of steps.
// Fill is given cleared records and ORs into them.
class InputSource {
public:
    virtual ~InputSource() = default;
    virtual void Fill(PadRecords& pads) = 0;
};
