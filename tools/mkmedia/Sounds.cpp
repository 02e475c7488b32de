// The nine sound effects, synthesised. Levels are set against each other and
// against the music (about -20 dBFS RMS through the game's mixer): the shot
// fires fifteen times a second and the graze tick even more often, so both stay
// light and under the music; explosions grow with their size and stand out
// over it. The blasts are soft-limited: as loud, with peaks low enough that a
// dense wave over the music does not clip.
#include <algorithm>
#include <array>

#include "Media.h"
#include "Synth.h"

namespace mkmedia {

namespace {

using namespace synth;

float Frac(float x) {
    return x - std::floor(x);
}

Buffer Shot() {
    Buffer b = Silence(0.085f);
    float phase = 0;
    Svf tone;
    for (size_t i = 0; i < b.size(); ++i) {
        float t = static_cast<float>(i) / kRate;
        phase += (480 + 950 * std::exp(-t * 45)) / kRate;
        float square = Frac(phase) < 0.5f ? 1.0f : -1.0f;
        float s = tone.Step(0.6f * std::sin(2 * kPi * phase) + 0.4f * square, 3200).low;
        b[i] = s * Attack(t, 0.002f) * Decay(t, 0.085f);
    }
    Normalize(b, 0.12f);
    return b;
}

Buffer Laser() {
    Buffer b = Silence(0.4f);
    float phase = 0;
    Svf tone;
    for (size_t i = 0; i < b.size(); ++i) {
        float t = static_cast<float>(i) / kRate;
        float f = (250 + 2200 * std::exp(-t * 6)) * (1 + 0.03f * std::sin(2 * kPi * 30 * t));
        phase += f / kRate;
        float saw = 2 * Frac(phase) - 1;
        float s = tone.Step(saw, 400 + 3000 * std::exp(-t * 4), 4).low;
        b[i] = s * Attack(t, 0.005f) * Decay(t, 0.4f);
    }
    Normalize(b, 0.45f);
    return b;
}

// One explosion: crackling low-passed noise that darkens as it fades, over a
// falling thump.
Buffer Blast(float seconds, float brightness, float thumpHz, uint32_t seed) {
    Buffer b = Silence(seconds);
    Noise noise(seed), crackle(seed + 99);
    Svf body;
    float phase = 0, grain = 1;
    for (size_t i = 0; i < b.size(); ++i) {
        float t = static_cast<float>(i) / kRate;
        if (i % 220 == 0) grain = 0.55f + 0.45f * std::fabs(crackle.Next());
        float cutoff = 150 + brightness * std::exp(-t * 7 / seconds);
        float rumble = body.Step(noise.Next(), cutoff, 0.9f).low * grain;
        phase += thumpHz * (0.45f + 0.55f * std::exp(-t * 12)) / kRate;
        float thump = std::sin(2 * kPi * phase) * Decay(t, seconds * 0.45f);
        b[i] = (1.6f * rumble + 0.7f * thump) * Attack(t, 0.003f) * Decay(t, seconds);
    }
    return b;
}

Buffer Bom1() {
    Buffer b = Blast(0.55f, 2800, 110, 1);
    Normalize(b, 0.9f);
    SoftLimit(b, 0.26f);
    return b;
}

Buffer Crash() {
    Buffer b = Blast(1.3f, 2200, 80, 2);
    MixInto(b, Blast(1.0f, 3500, 60, 3), 0.6f, static_cast<size_t>(0.08f * kRate));
    Normalize(b, 0.9f);
    SoftLimit(b, 0.3f);
    return b;
}

// A chain of blasts over a long rumble and a falling power-down whine.
Buffer BossOut() {
    Buffer b = Silence(2.9f);
    const std::array<std::array<float, 4>, 4> blasts = {{
        {0.0f, 0.9f, 2600, 75},
        {0.22f, 1.1f, 3000, 60},
        {0.5f, 1.3f, 2400, 55},
        {0.85f, 2.0f, 2000, 45},
    }};
    uint32_t seed = 10;
    for (const auto& [at, length, bright, thump] : blasts) {
        MixInto(b, Blast(length, bright, thump, seed++), 0.8f, static_cast<size_t>(at * kRate));
    }
    Noise noise(20);
    Svf deep, whine;
    float phase = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        float t = static_cast<float>(i) / kRate;
        b[i] += 2.5f * deep.Step(noise.Next(), 90).low * Attack(t, 0.05f) * Decay(t, 2.9f);
        phase += (40 + 560 * std::exp(-t * 1.8f)) / kRate;
        float saw = 2 * Frac(phase) - 1;
        b[i] += 0.2f * whine.Step(saw, 1200).low * Decay(t, 2.0f);
    }
    Normalize(b, 0.9f);
    SoftLimit(b, 0.38f);
    return b;
}

// Pick-up: two quick rising chimes.
Buffer Cap() {
    Buffer b = Silence(0.16f);
    const std::array<std::pair<float, float>, 2> notes = {{{0.0f, 1318.5f}, {0.05f, 1975.5f}}};
    for (const auto& [start, f] : notes) {
        for (size_t i = static_cast<size_t>(start * kRate); i < b.size(); ++i) {
            float t = static_cast<float>(i) / kRate - start;
            float s = std::sin(2 * kPi * f * t) + 0.25f * std::sin(4 * kPi * f * t);
            b[i] += s * Attack(t, 0.003f) * Decay(t, 0.1f);
        }
    }
    Normalize(b, 0.12f);
    return b;
}

// The screen bomb: a rising rush of air, then a deep boom with a bright shimmer.
Buffer Bomb() {
    Buffer b = Silence(1.8f);
    Noise noise(30);
    Svf rush;
    const float rise = 0.45f;
    for (size_t i = 0; i < static_cast<size_t>(rise * kRate); ++i) {
        float t = static_cast<float>(i) / kRate;
        float cutoff = 300 * std::pow(16.0f, t / rise);
        float k = t / rise;
        b[i] += 1.2f * rush.Step(noise.Next(), cutoff, 2).band * k * k;
    }
    size_t at = static_cast<size_t>(0.4f * kRate);
    MixInto(b, Blast(1.35f, 1500, 55, 31), 1.0f, at);
    for (size_t i = at; i < b.size(); ++i) {
        float t = static_cast<float>(i - at) / kRate;
        float vib = 1 + 0.01f * std::sin(2 * kPi * 6 * t);
        b[i] += 0.12f * (std::sin(2 * kPi * 880 * vib * t) + std::sin(2 * kPi * 1320 * vib * t)) *
                Decay(t, 1.1f);
    }
    Normalize(b, 0.9f);
    SoftLimit(b, 0.38f);
    return b;
}

// Graze: a short, soft, high tick.
Buffer Kasuri() {
    Buffer b = Silence(0.045f);
    Noise noise(40);
    Svf air;
    for (size_t i = 0; i < b.size(); ++i) {
        float t = static_cast<float>(i) / kRate;
        float hiss = air.Step(noise.Next(), 6500, 1.5f).band;
        float ping = 0.3f * std::sin(2 * kPi * 3200 * t);
        b[i] = (hiss + ping) * Attack(t, 0.0015f) * Decay(t, 0.04f);
    }
    Normalize(b, 0.09f);
    return b;
}

// "Option", spoken by a formant synthesiser: a voiced source through three
// moving resonances, a closure and burst for the p, a hiss for the sh.
Buffer VoiceOption() {
    struct Key {
        float t, f1, f2, f3, voice, hiss, hissHz, pitch;
    };
    const std::array<Key, 15> keys = {{
        {0.00f, 700, 1100, 2600, 0.0f, 0.0f, 1500, 148},
        {0.03f, 720, 1120, 2600, 1.0f, 0.0f, 1500, 156},
        {0.16f, 660, 1060, 2500, 1.0f, 0.0f, 1500, 162},
        {0.20f, 500, 880, 2400, 0.0f, 0.0f, 1500, 150},
        {0.255f, 500, 880, 2400, 0.0f, 0.0f, 1500, 150},
        {0.262f, 500, 880, 2400, 0.0f, 0.8f, 1300, 150},
        {0.275f, 500, 1800, 2600, 0.0f, 0.2f, 2800, 150},
        {0.30f, 500, 1800, 2600, 0.0f, 0.6f, 3100, 140},
        {0.38f, 500, 1800, 2600, 0.0f, 0.5f, 3300, 138},
        {0.41f, 500, 1450, 2500, 0.9f, 0.0f, 3300, 134},
        {0.50f, 480, 1400, 2500, 0.85f, 0.0f, 3300, 126},
        {0.55f, 290, 1600, 2600, 0.55f, 0.0f, 3300, 119},
        {0.68f, 260, 1600, 2600, 0.35f, 0.0f, 3300, 112},
        {0.76f, 260, 1600, 2600, 0.0f, 0.0f, 3300, 106},
        {0.90f, 260, 1600, 2600, 0.0f, 0.0f, 3300, 106},
    }};
    Buffer b = Silence(0.9f);
    Resonator r1, r2, r3, hissFilter;
    Svf dcCut;
    Noise noise(50);
    float phase = 0;
    size_t k = 0;
    for (size_t i = 0; i < b.size(); ++i) {
        float t = static_cast<float>(i) / kRate;
        while (k + 2 < keys.size() && t >= keys[k + 1].t)
            ++k;
        const Key &a = keys[k], &z = keys[k + 1];
        float u = std::clamp((t - a.t) / (z.t - a.t), 0.0f, 1.0f);
        auto lerp = [u](float p, float q) { return p + (q - p) * u; };
        float pitch = lerp(a.pitch, z.pitch) * (1 + 0.012f * std::sin(2 * kPi * 5.5f * t));
        phase += pitch / kRate;
        // Band-limited sawtooth: harmonics up to 5 kHz.
        float source = 0;
        int harmonics = static_cast<int>(5000 / pitch);
        for (int h = 1; h <= harmonics; ++h)
            source += std::sin(2 * kPi * h * phase) / h;
        float voiced =
            r3.Step(r2.Step(r1.Step(source, lerp(a.f1, z.f1), 90), lerp(a.f2, z.f2), 110),
                    lerp(a.f3, z.f3), 170);
        float hiss = hissFilter.Step(noise.Next(), lerp(a.hissHz, z.hissHz), 1400);
        float s = voiced * lerp(a.voice, z.voice) + 6 * hiss * lerp(a.hiss, z.hiss);
        b[i] = dcCut.Step(s, 140).high;
    }
    // A little presence and a short slap-back, like a cockpit announcer.
    Normalize(b, 1.0f);
    Buffer out = b;
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = std::tanh(1.6f * b[i]);
        if (i >= 2650) out[i] += 0.18f * b[i - 2650];
        if (i >= 4850) out[i] += 0.08f * b[i - 4850];
    }
    Normalize(out, 0.4f);
    return out;
}

}  // namespace

bool WriteSounds(const std::filesystem::path& dir) {
    const std::array<std::pair<const char*, Buffer (*)()>, 9> sounds = {{
        {"shot.wav", Shot},
        {"laser.wav", Laser},
        {"bom1.wav", Bom1},
        {"crash.wav", Crash},
        {"boss_out.wav", BossOut},
        {"cap.wav", Cap},
        {"bomb.wav", Bomb},
        {"kasuri.wav", Kasuri},
        {"voice_option.wav", VoiceOption},
    }};
    for (const auto& [name, make] : sounds) {
        if (!synth::WriteWav((dir / name).string(), make())) return false;
    }
    return true;
}

}  // namespace mkmedia
