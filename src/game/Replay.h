#pragma once
// A finished game as it was played: what it was played with (the game's
// version, the stage, the models), where the field stood when it began, every
// step's input, and what it came to. Kept as text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/PadText.h"

struct Replay {
    std::string version;
    // The stage file as the player named it with --stage; empty for the game's own.
    std::string stage;
    uint64_t stageHash = 0;
    uint64_t modelsHash = 0;
    // Where the field stood at the start: the best score shown, the random
    // generator's state as std::mt19937 writes it, the freeze keys' latch.
    std::string highScore;
    std::string random;
    bool toggleLatch = false;
    // What it came to.
    std::string score;
    uint64_t fieldHash = 0;
    std::vector<PadRun> input;
};

// The fingerprint a replay carries of the game's models in a Media folder
// (given with its trailing '/').
uint64_t HashModels(const std::string& mediaDir);
// Why the replay cannot be played on its stage (the game's own in mediaDir
// when it names none) with the models in mediaDir; empty when it can.
std::string ReplayMismatch(const Replay& replay, const std::string& mediaDir);
// The replay in a text, when it is whole and can be played with mediaDir's
// files; nothing, with the reason, otherwise.
std::optional<Replay> PlayableReplay(std::string_view text, const std::string& mediaDir,
                                     std::string& why);
// Far more than ten hours of steps take.
inline constexpr std::size_t kMaxReplayBytes = 64 << 20;

std::string ReplayToText(const Replay& replay);
// Nothing, with the reason, for a text that is not a whole replay.
std::optional<Replay> ReplayFromText(std::string_view text, std::string& error);
// True when the text starts as a replay does (and not as a bare list of steps).
bool LooksLikeReplay(std::string_view text);
