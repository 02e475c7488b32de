#pragma once
#include <cstdint>

// The game's messages: white text over a half-transparent black shadow.
inline constexpr uint32_t kTextWhite = 0xFFFFFFFF;
inline constexpr uint32_t kTextShadow = 0x80000000;
