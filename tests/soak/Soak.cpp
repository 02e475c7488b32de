// velmora_soak STEPS: plays the stage again and again for that many steps on
// the headless back ends, the bot playing and START pressed at every title, and
// fails when the heap in use at the title grows once the game has been round
// twice (in play it also holds the game's recording). CI runs
// it for an hour of game time in the sanitizer build, where the resident size
// also holds the sanitizer's quarantine of freed blocks: the heap is what counts.
#include <malloc.h>
#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's count of live blocks (its allocator_interface.h, which GCC lacks).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "Bot.h"
#include "Simulation.h"
#include "media/MediaFiles.h"

namespace {

// Resident memory in kB.
long ResidentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Heap in use, in kB.
long HeapKb() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    return static_cast<long>(mallinfo2().uordblks / 1024);
#endif
}

// Far below a leak of one small object a step.
constexpr long kAllowedGrowthKb = 1024;
constexpr int kWarmUpGames = 2;

}  // namespace

int main(int argc, char** argv) {
    long steps = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 216000;
    Simulation sim(media_files::Dir().string() + "/");
    WeavingBot bot;
    int games = 0;
    bool wasAtTitle = true;
    long warmHeap = -1, warmResident = -1, lastHeap = -1;
    for (long step = 0; step < steps; ++step) {
        bool atTitle = sim.AtTitle();
        if (atTitle && !wasAtTitle) {
            lastHeap = HeapKb();
            if (++games == kWarmUpGames) {
                warmHeap = lastHeap;
                warmResident = ResidentKb();
            }
        }
        wasAtTitle = atTitle;
        PadState pad;
        if (atTitle) {
            pad.buttons[kButtonFire] = step % 2 == 1;  // press START, let go, again
        } else {
            pad = bot.Play(sim.GetWorld());
        }
        sim.Step(pad);
    }
    std::printf(
        "velmora_soak: %ld steps, %d games; after %d games heap %ld kB, resident %ld kB; "
        "after the last heap %ld kB; at the end resident %ld kB\n",
        steps, games, kWarmUpGames, warmHeap, warmResident, lastHeap, ResidentKb());
    if (games < kWarmUpGames + 1) {
        std::fprintf(stderr,
                     "velmora_soak: the stage did not come round to the title often enough\n");
        return 1;
    }
    if (lastHeap - warmHeap > kAllowedGrowthKb) {
        std::fprintf(stderr, "velmora_soak: the heap grew by %ld kB\n", lastHeap - warmHeap);
        return 1;
    }
    return 0;
}
