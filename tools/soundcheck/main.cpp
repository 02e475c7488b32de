// soundcheck MEDIA_DIR OUT_DIR [SECONDS]
//
// Plays scenes of the game's sound through the real mixer, in real time, on
// SDL's disk driver (OUT_DIR/<scene>.raw: 44.1 kHz, 16-bit, stereo) and reports
// for each its level (RMS and peak, dBFS), the samples at full scale and the
// process's CPU time per 60 Hz frame:
//   idle    the open mixer, nothing playing (the baseline)
//   music   the stage piece alone
//   firing  the shot, fifteen times a second, alone
//   wave    the stage piece under a dense wave: shots, grazes, explosions, pick-ups
//   busy    the stage piece with 50 explosions always sounding
#include <SDL.h>
#include <SDL_mixer.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

#include "audio/MusicPlayer.h"
#include "audio/SoundPlayer.h"
#include "audio/platform/FluidMusic.h"
#include "audio/platform/MixerSounds.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Effects {
    SoundEffect shot, bom1, crash, bossOut, cap, bomb, kasuri, voiceOption;
};

double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

struct Level {
    double rms = 0, peak = 0;
    long fullScale = 0;
};

// The level of what was written, from the first sound to the last.
Level Measure(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<Sint16> s(bytes.size() / 2);
    std::memcpy(s.data(), bytes.data(), s.size() * 2);
    size_t first = 0, last = s.size();
    while (first < last && s[first] == 0)
        ++first;
    while (last > first && s[last - 1] == 0)
        --last;
    Level level;
    double sum = 0;
    for (size_t i = first; i < last; ++i) {
        double v = s[i] / 32768.0;
        sum += v * v;
        level.peak = std::max(level.peak, std::fabs(v));
        level.fullScale += s[i] >= 32767 || s[i] <= -32768;
    }
    if (last > first) level.rms = std::sqrt(sum / static_cast<double>(last - first));
    return level;
}

double Db(double v) {
    return v > 0 ? 20 * std::log10(v) : -999;
}

// Runs one scene: `frame` is called 60 times a second for `seconds`.
void Scene(const char* name, const fs::path& media, const fs::path& out, double seconds,
           bool withMusic, const std::function<void(int, SoundPlayer&, Effects&)>& frame) {
    fs::path file = out / (std::string(name) + ".raw");
    setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
    double cpu = 0;
    {
        auto mixer = std::make_shared<Mixer>();
        SoundPlayer sounds(std::make_unique<MixerSounds>(mixer));
        auto sound = [&](const char* n) { return sounds.Load((media / "Sound" / n).string()); };
        Effects fx{sound("shot.wav"),     sound("bom1.wav"),        sound("crash.wav"),
                   sound("boss_out.wav"), sound("cap.wav"),         sound("bomb.wav"),
                   sound("kasuri.wav"),   sound("voice_option.wav")};
        auto* fluid = new FluidMusic(mixer, FluidMusic::kSoundFont);
        MusicPlayer music{std::unique_ptr<MusicBackend>(fluid)};
        while (!fluid->IsLoaded())
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (withMusic) {
            music.Open((media / "Music" / "qz_disky.mid").string());
            music.Play();
        }
        double cpuStart = CpuSeconds();
        auto start = Clock::now();
        int frames = static_cast<int>(seconds * 60);
        for (int n = 0; n < frames; ++n) {
            frame(n, sounds, fx);
            if (music.IsComplete()) {
                music.SetPosition(0.0);
                music.Play();
            }
            std::this_thread::sleep_until(start + std::chrono::microseconds(16667 * (n + 1)));
        }
        cpu = CpuSeconds() - cpuStart;
    }
    Level level = Measure(file);
    std::printf(
        "%-7s  RMS %6.1f dBFS  peak %6.1f dBFS  full-scale samples %6ld  CPU %.2f ms/frame\n", name,
        Db(level.rms), Db(level.peak), level.fullScale, 1000 * cpu / (seconds * 60));
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: soundcheck MEDIA_DIR OUT_DIR [SECONDS]\n");
        return 2;
    }
    fs::path media = argv[1], out = argv[2];
    double seconds = argc > 3 ? std::atof(argv[3]) : 60;
    fs::create_directories(out);
    setenv("SDL_AUDIODRIVER", "disk", 1);

    Scene("idle", media, out, 10, false, [](int, SoundPlayer&, Effects&) {});
    Scene("music", media, out, seconds, true, [](int, SoundPlayer&, Effects&) {});
    Scene("firing", media, out, 10, false, [](int n, SoundPlayer& s, Effects& fx) {
        if (n % 4 == 0) s.Play(fx.shot);
    });
    // One second of a wave being shot down, over and over: six small enemies
    // burst, their items come home in two swarms, bullets graze the ship.
    Scene("wave", media, out, seconds, true, [](int n, SoundPlayer& s, Effects& fx) {
        int f = n % 60, second = n / 60;
        if (n % 4 == 0) s.Play(fx.shot);
        if (n % 6 == 3) s.Play(fx.kasuri);
        if (f % 10 == 5) s.Play(fx.bom1);
        if ((f >= 20 && f < 30) || f >= 50) s.Play(fx.cap);
        if (f == 30 && second % 2 == 0) s.Play(fx.crash);
        if (f == 40 && second % 10 == 5) s.Play(fx.voiceOption);
        if (n % 1200 == 600) s.Play(fx.bomb);
        if (n % 1800 == 1500) s.Play(fx.bossOut);
    });
    Scene("busy", media, out, 10, true, [](int, SoundPlayer& s, Effects& fx) {
        while (Mix_Playing(-1) < 50)
            s.Play(fx.bom1);
    });
    return 0;
}
