#pragma once
// Sound building blocks: deterministic noise, a state-variable filter, a
// formant resonator, envelopes and a 16-bit PCM WAV writer.
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "Noise.h"

namespace mkmedia {

namespace synth {

constexpr int kRate = 44100;
constexpr float kPi = 3.14159265358979f;

using Buffer = std::vector<float>;

inline Buffer Silence(float seconds) {
    return Buffer(static_cast<size_t>(seconds * kRate), 0.0f);
}

// White noise in [-1, 1], the same for the same seed.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed * 0x9e3779b9U + 1) {}
    float Next() { return noise::Unit(noise::Hash(state++)) * 2 - 1; }

private:
    uint32_t state;
};

// Chamberlin state-variable filter; cutoff and resonance may change every sample.
class Svf {
public:
    struct Out {
        float low, band, high;
    };
    Out Step(float in, float cutoffHz, float q = 0.7f) {
        float f = 2 * std::sin(kPi * std::min(cutoffHz, kRate / 6.0f) / kRate);
        float damp = 1 / q;
        float high = in - low - damp * band;
        band += f * high;
        low += f * band;
        return {low, band, high};
    }

private:
    float low = 0, band = 0;
};

// Two-pole resonance at a formant frequency with unity gain at 0 Hz (Klatt's resonator).
class Resonator {
public:
    float Step(float in, float freq, float bandwidth) {
        float c = -std::exp(-2 * kPi * bandwidth / kRate);
        float b = 2 * std::exp(-kPi * bandwidth / kRate) * std::cos(2 * kPi * freq / kRate);
        float a = 1 - b - c;
        float y = a * in + b * y1 + c * y2;
        y2 = y1;
        y1 = y;
        return y;
    }

private:
    float y1 = 0, y2 = 0;
};

// Exponential decay that falls to 1/1000 (-60 dB) after `seconds`.
inline float Decay(float t, float seconds) {
    return std::exp(-6.9078f * t / seconds);
}

// Linear ramp from 0 to 1 over `seconds`.
inline float Attack(float t, float seconds) {
    return t >= seconds ? 1.0f : t / seconds;
}

// Scales so the largest magnitude is `peak`.
void Normalize(Buffer& b, float peak);
// Rounds off everything that comes near `ceiling` (tanh), so a sound keeps its
// weight with lower peaks; quiet parts pass unchanged.
void SoftLimit(Buffer& b, float ceiling);
// Adds `src` into `dst` from sample `at` on, growing `dst` as needed.
void MixInto(Buffer& dst, const Buffer& src, float gain, size_t at = 0);

// Mono 16-bit PCM; false when it cannot be written.
bool WriteWav(const std::string& path, const Buffer& samples);

}  // namespace synth

}  // namespace mkmedia
