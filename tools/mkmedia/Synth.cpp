#include "Synth.h"

#include <algorithm>
#include <fstream>

namespace mkmedia {

namespace synth {

void Normalize(Buffer& b, float peak) {
    float m = 0;
    for (float s : b)
        m = std::max(m, std::fabs(s));
    if (m <= 0) return;
    for (float& s : b)
        s *= peak / m;
}

void SoftLimit(Buffer& b, float ceiling) {
    for (float& s : b)
        s = ceiling * std::tanh(s / ceiling);
}

void MixInto(Buffer& dst, const Buffer& src, float gain, size_t at) {
    if (dst.size() < at + src.size()) dst.resize(at + src.size(), 0.0f);
    for (size_t i = 0; i < src.size(); ++i)
        dst[at + i] += src[i] * gain;
}

namespace {
void Put(std::ofstream& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
}
}  // namespace

bool WriteWav(const std::string& path, const Buffer& samples) {
    std::ofstream out(path, std::ios::binary);
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out.write("RIFF", 4);
    Put(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    Put(out, 16, 4);
    Put(out, 1, 2);  // PCM
    Put(out, 1, 2);  // mono
    Put(out, kRate, 4);
    Put(out, kRate * 2, 4);
    Put(out, 2, 2);
    Put(out, 16, 2);
    out.write("data", 4);
    Put(out, dataBytes, 4);
    for (float s : samples) {
        long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        Put(out, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xFFFF, 2);
    }
    return static_cast<bool>(out);
}

}  // namespace synth

}  // namespace mkmedia
