#pragma once
#include <string>
#include <string_view>

// The facts of a WAV file that decide what decoding it would cost, read before
// any decoder sees it: a crafted header can make a decoder's size arithmetic
// overflow or ask for gigabytes.
// Empty when the file may be decoded, otherwise why not, for a message. The
// limits of a sound effect: PCM, float, A-law, mu-law or ADPCM, 1 to 8 channels,
// 4,000 to 192,000 samples a second, at most a minute long, so converting it to
// the output's format makes at most a minute of output.
std::string CheckSoundWav(std::string_view bytes);
