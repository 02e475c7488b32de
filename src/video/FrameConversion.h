#pragma once
// 24-bit BGR frames into texture rows. Source rows are videoPitch bytes apart.
#include <cstdint>

// Bytes per source row: width x 3 rounded up to whole 32-bit words.
inline int VideoPitch(int width) {
    return (width * 3 + 3) & ~3;
}

// Opaque 32-bit texels (0xFFRRGGBB), rows copied in buffer order.
void ConvertToX8R8G8B8(const uint8_t* source, int sourcePitch, int width, int height,
                       uint8_t* destination, int destinationPitch);
// 16-bit texels with the top bit set and five bits per colour.
void ConvertToA1R5G5B5(const uint8_t* source, int sourcePitch, int width, int height,
                       uint8_t* destination, int destinationPitch);
