#pragma once
// SDL's disk audio driver writes what the mixer plays to a file, in real time;
// these helpers run the mixer on it in a folder of the test's own and read the
// samples back, so tests can check what came out instead of what was asked.
#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "Synth.h"
#include "audio/platform/Mixer.h"

class DiskOutput {
public:
    DiskOutput() {
        static std::atomic<int> serial{0};
        dir = std::filesystem::temp_directory_path() /
              ("velmora-sound-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(dir);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (dir / "out.raw").c_str(), 1);
    }
    ~DiskOutput() {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    DiskOutput(const DiskOutput&) = delete;
    DiskOutput& operator=(const DiskOutput&) = delete;

    std::filesystem::path Dir() const { return dir; }

    // Interleaved left and right samples of everything played. Only once
    // every back end let go of the mixer is the file complete.
    static std::vector<Sint16> Read(const std::filesystem::path& dir) {
        std::ifstream in(dir / "out.raw", std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        std::vector<Sint16> samples(bytes.size() / 2);
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
        return samples;
    }

private:
    std::filesystem::path dir;
};

// `seconds` of a steady level, as a mono 16-bit WAV.
inline std::string WriteLevel(const std::filesystem::path& dir, const char* name, int level,
                              double seconds) {
    std::string path = (dir / name).string();
    mkmedia::synth::Buffer b(static_cast<size_t>(seconds * Mixer::kRate), level / 32767.0f);
    mkmedia::synth::WriteWav(path, b);
    return path;
}

// Sum of one side's samples, in units of `level` for one second of output.
inline double PlaySeconds(const std::vector<Sint16>& samples, int level) {
    double sum = 0;
    for (size_t i = 0; i < samples.size(); i += 2)
        sum += samples[i];
    return sum / level / Mixer::kRate;
}

inline void Wait(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Waits until `done` holds, for at most `seconds`; whether it came true.
inline bool WaitFor(const std::function<bool()>& done, double seconds) {
    auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        Wait(0.005);
    }
    return true;
}

// One side of the output cut into 10 ms blocks.
struct Blocks {
    static constexpr int kFrames = Mixer::kRate / 100;
    std::vector<double> rms;   // of full scale
    std::vector<bool> silent;  // every sample exactly 0

    Blocks(const std::vector<Sint16>& samples, int side = 0) {
        size_t frames = samples.size() / 2;
        for (size_t at = 0; at + kFrames <= frames; at += kFrames) {
            double sum = 0;
            bool zero = true;
            for (size_t i = at; i < at + kFrames; ++i) {
                double v = samples[2 * i + side] / 32768.0;
                sum += v * v;
                zero = zero && samples[2 * i + side] == 0;
            }
            rms.push_back(std::sqrt(sum / kFrames));
            silent.push_back(zero);
        }
    }
    // Seconds of blocks above -50 dBFS.
    double SoundingSeconds() const {
        int n = 0;
        for (double r : rms)
            n += r > 0.00316;
        return n / 100.0;
    }
    // The longest run of exact silence between the first and the last sound, in seconds.
    double LongestGap() const {
        size_t first = 0, last = silent.size();
        while (first < silent.size() && silent[first])
            ++first;
        while (last > first && silent[last - 1])
            --last;
        int longest = 0, run = 0;
        for (size_t i = first; i < last; ++i) {
            run = silent[i] ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        return longest / 100.0;
    }
};
