// velmora_soak STEPS: plays the stage again and again for that many steps on
// the headless back ends, the bot playing and START pressed at every title, and
// fails when the memory in use grows once the game has been round twice.
// CI runs it for an hour of game time in the sanitizer build.
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

// Room for the allocator's own ups and downs, far below a leak of one object a step.
constexpr long kAllowedGrowthKb = 8 * 1024;
constexpr int kWarmUpGames = 2;

}  // namespace

int main(int argc, char** argv) {
    long steps = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 216000;
    Simulation sim(media_files::Dir().parent_path().string() + "/");
    WeavingBot bot;
    int games = 0;
    bool wasAtTitle = true;
    long warm = -1;
    for (long step = 0; step < steps; ++step) {
        bool atTitle = sim.AtTitle();
        if (atTitle && !wasAtTitle && ++games == kWarmUpGames) warm = ResidentKb();
        wasAtTitle = atTitle;
        PadState pad;
        if (atTitle) {
            pad.buttons[kButtonFire] = step % 2 == 1;  // press START, let go, again
        } else {
            pad = bot.Play(sim.GetWorld());
        }
        sim.Step(pad);
    }
    long end = ResidentKb();
    std::printf(
        "velmora_soak: %ld steps, %d games; resident %ld kB after %d games, %ld kB at the end\n",
        steps, games, warm, kWarmUpGames, end);
    if (games < kWarmUpGames + 1) {
        std::fprintf(stderr,
                     "velmora_soak: the stage did not come round to the title often enough\n");
        return 1;
    }
    if (end - warm > kAllowedGrowthKb) {
        std::fprintf(stderr, "velmora_soak: memory grew by %ld kB\n", end - warm);
        return 1;
    }
    return 0;
}
