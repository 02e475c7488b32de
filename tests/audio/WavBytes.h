#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A WAV file: RIFF header, a 16-byte format chunk and `data` bytes of samples.
inline std::string Wav(int format, int channels, int rate, int bits, size_t data, int align = -1) {
    auto le = [](uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i)
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
        return s;
    };
    if (align < 0) align = channels * bits / 8;
    std::string fmt = le(format, 2) + le(channels, 2) + le(rate, 4) + le(rate * align, 4) +
                      le(align, 2) + le(bits, 2);
    std::string body = "WAVEfmt " + le(16, 4) + fmt + "data" + le(static_cast<uint32_t>(data), 4) +
                       std::string(data, '\x80');
    return "RIFF" + le(static_cast<uint32_t>(body.size()), 4) + body;
}
