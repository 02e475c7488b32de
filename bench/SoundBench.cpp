// Main-thread costs of the sound calls the game makes, on the real back ends.
// SDL's dummy driver plays in real time and throws the output away.
#include <SDL.h>
#include <SDL_mixer.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "audio/MusicPlayer.h"
#include "audio/SoundPlayer.h"
#include "audio/platform/FluidMusic.h"
#include "audio/platform/MixerSounds.h"

namespace {

std::string MediaPath(const std::string& name) {
    char* base = SDL_GetBasePath();
    std::string path = std::string(base ? base : "./") + "Media/" + name;
    SDL_free(base);
    return path;
}

// The process's resident memory, in MB.
double ResidentMB() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        double kb = 0;
        if (key == "VmRSS:" && status >> kb) return kb / 1024;
    }
    return 0;
}

void WaitForSoundfont(const FluidMusic& music) {
    while (!music.IsLoaded())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// The game's sound: the shared output, the eleven effects and the music.
struct GameSound {
    GameSound() {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        auto mixer = std::make_shared<Mixer>();
        sounds = std::make_unique<SoundPlayer>(std::make_unique<MixerSounds>(mixer));
        for (const char* name :
             {"shot.wav", "laser.wav", "bom1.wav", "crash.wav", "boss_out.wav", "cap.wav",
              "cap.wav", "bomb.wav", "bomb.wav", "kasuri.wav", "voice_option.wav"}) {
            effects.push_back(sounds->Load(MediaPath(std::string("Sound/") + name)));
        }
        fluid = new FluidMusic(mixer, FluidMusic::kSoundFont);
        music = std::make_unique<MusicPlayer>(std::unique_ptr<MusicBackend>(fluid));
    }

    std::unique_ptr<SoundPlayer> sounds;
    std::vector<SoundEffect> effects;
    FluidMusic* fluid;
    std::unique_ptr<MusicPlayer> music;
};

// What start-up spends on sound: on the main thread, and until the soundfont is
// in. Also the memory it adds, playing, the first time round.
void ConstructSound(benchmark::State& state) {
    double loadSeconds = 0, addedMB = -1;
    for (auto _ : state) {
        double before = ResidentMB();
        auto start = std::chrono::steady_clock::now();
        auto sound = std::make_unique<GameSound>();
        state.PauseTiming();
        WaitForSoundfont(*sound->fluid);
        loadSeconds +=
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (addedMB < 0) {
            sound->music->Open(MediaPath("Music/qz_disky.mid"));
            sound->music->Play();
            for (int i = 0; i < 50; ++i)
                sound->sounds->Play(sound->effects[2]);
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            addedMB = ResidentMB() - before;
        }
        sound.reset();
        state.ResumeTiming();
    }
    state.counters["soundfont_ready_ms"] = 1000 * loadSeconds / state.iterations();
    state.counters["memory_added_MB"] = addedMB;
}
BENCHMARK(ConstructSound)->Unit(benchmark::kMillisecond)->Iterations(5)->UseRealTime();

// A music command of the stage script: a new piece, started.
void OpenAndPlayMusic(benchmark::State& state) {
    GameSound sound;
    WaitForSoundfont(*sound.fluid);
    const std::string pieces[] = {MediaPath("Music/qz_disky.mid"),
                                  MediaPath("Music/qz_bossbattle1.mid")};
    int i = 0;
    for (auto _ : state) {
        sound.music->Open(pieces[i++ % 2]);
        sound.music->Play();
    }
}
BENCHMARK(OpenAndPlayMusic)->Unit(benchmark::kMicrosecond);

// The loop at the end of a piece, and the return to the title: stop and rewind, play.
void RewindMusic(benchmark::State& state) {
    GameSound sound;
    WaitForSoundfont(*sound.fluid);
    sound.music->Open(MediaPath("Music/qz_disky.mid"));
    sound.music->Play();
    for (auto _ : state) {
        sound.music->Stop();
        sound.music->Play();
    }
}
BENCHMARK(RewindMusic)->Unit(benchmark::kMicrosecond);

// One start of an effect, with 50 already sounding.
void StartEffect(benchmark::State& state) {
    GameSound sound;
    const SoundEffect& blast = sound.effects[2];
    for (auto _ : state) {
        state.PauseTiming();
        if (Mix_Playing(-1) >= 50) Mix_HaltChannel(-1);
        state.ResumeTiming();
        sound.sounds->Play(blast);
    }
}
BENCHMARK(StartEffect)->Unit(benchmark::kMicrosecond);

}  // namespace
