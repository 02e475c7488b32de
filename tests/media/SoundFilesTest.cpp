// The effects decode as PCM WAVs, stay clear of clipping and sit in their
// places against each other: frequent ones short and light, big blasts loud.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "MediaFiles.h"

namespace {

struct Sound {
    double seconds = 0;
    double peak = 0;  // of full scale
    double rms = 0;
};

Sound Measure(const std::string& name) {
    SDL_AudioSpec spec;
    Uint8* data = nullptr;
    Uint32 bytes = 0;
    std::string path = (media_files::Dir() / "Sound" / name).string();
    Sound s;
    if (!SDL_LoadWAV(path.c_str(), &spec, &data, &bytes)) {
        ADD_FAILURE() << name << ": " << SDL_GetError();
        return s;
    }
    EXPECT_EQ(spec.format, AUDIO_S16LSB) << name;
    EXPECT_EQ(spec.channels, 1) << name;
    EXPECT_EQ(spec.freq, 44100) << name;
    const auto* samples = reinterpret_cast<const Sint16*>(data);
    size_t n = bytes / 2;
    double sum = 0;
    for (size_t i = 0; i < n; ++i) {
        double v = samples[i] / 32768.0;
        s.peak = std::max(s.peak, std::fabs(v));
        sum += v * v;
    }
    s.seconds = static_cast<double>(n) / spec.freq;
    s.rms = n ? std::sqrt(sum / n) : 0;
    SDL_FreeWAV(data);
    return s;
}

}  // namespace

TEST(SoundFiles, EveryEffectDecodesWithoutClipping) {
    for (const std::string& name : media_files::kSounds) {
        Sound s = Measure(name);
        EXPECT_GT(s.seconds, 0.03) << name;
        EXPECT_LT(s.seconds, 3.0) << name;
        EXPECT_GT(s.peak, 0.05) << name << " is audible";
        EXPECT_LT(s.peak, 0.95) << name << " keeps headroom";
    }
}

TEST(SoundFiles, FrequentSoundsAreShortAndLight) {
    std::map<std::string, Sound> s;
    for (const std::string& name : media_files::kSounds)
        s[name] = Measure(name);
    // The shot fires 15 times a second while held; the graze tick can come every frame.
    EXPECT_LT(s["shot.wav"].seconds, 0.15);
    EXPECT_LT(s["kasuri.wav"].seconds, 0.08);
    EXPECT_LT(s["cap.wav"].seconds, 0.25);
    for (const char* light : {"shot.wav", "kasuri.wav", "cap.wav"}) {
        EXPECT_LT(s[light].peak, 0.5 * s["bom1.wav"].peak) << light;
    }
    EXPECT_LT(s["kasuri.wav"].peak, s["shot.wav"].peak);
    // Explosions grow with what exploded.
    EXPECT_LT(s["bom1.wav"].seconds, s["crash.wav"].seconds);
    EXPECT_LT(s["crash.wav"].seconds, s["boss_out.wav"].seconds);
    EXPECT_GE(s["boss_out.wav"].peak, s["bom1.wav"].peak);
}
