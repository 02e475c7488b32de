// The effects decode as the mixer's own format, audible and clear of clipping.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>

#include "MediaFiles.h"

TEST(SoundFiles, EveryEffectDecodesAudibleWithoutClipping) {
    for (const std::string& name : media_files::kSounds) {
        std::string path = (media_files::Dir() / "Sound" / name).string();
        SDL_AudioSpec spec;
        Uint8* data = nullptr;
        Uint32 bytes = 0;
        ASSERT_TRUE(SDL_LoadWAV(path.c_str(), &spec, &data, &bytes))
            << name << ": " << SDL_GetError();
        EXPECT_EQ(spec.format, AUDIO_S16LSB) << name;
        EXPECT_EQ(spec.channels, 1) << name;
        EXPECT_EQ(spec.freq, 44100) << name;
        const auto* samples = reinterpret_cast<const Sint16*>(data);
        const size_t n = bytes / 2;
        double peak = 0;
        for (size_t i = 0; i < n; ++i)
            peak = std::max(peak, std::fabs(samples[i] / 32768.0));
        SDL_FreeWAV(data);
        EXPECT_GT(n, 0.03 * 44100) << name;
        EXPECT_LT(n, 3.0 * 44100) << name;
        EXPECT_GT(peak, 0.05) << name << " is audible";
        EXPECT_LT(peak, 0.95) << name << " keeps headroom";
    }
}
