#pragma once
#include <cstdint>

#include "graphics/RenderTypes.h"

// Four float components to a 32-bit ARGB value: 1 or more is 255, 0 or less is 0,
// anything between rounds to the nearest step.
uint32_t ToArgb(const ColorValue& c);
