#pragma once
// A game as it was played: what it was played with (the game's version, the
// stage, the level, where it started, the models), where the field stood when
// it began, every step's input, and what it came to. Kept as text.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/PadText.h"

// The format replays are written in; the first is still read.
inline constexpr int kReplayFormat = 3;

struct Replay {
    // The format it was read from; every replay is written in kReplayFormat.
    int format = kReplayFormat;
    std::string version;
    // The stage's name as the game shows it (empty in the first format), and
    // its file: empty for the delivered stage, else an absolute path.
    std::string stageName, stageFile;
    uint64_t stageHash = 0;
    uint64_t modelsHash = 0;
    std::string level = "EASY";
    // A practice game from a section (empty: the stage's start).
    bool practice = false;
    std::string section;
    int startOptions = 2;
    // False for a game left before its end.
    bool finished = true;
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

inline constexpr int kMostStartOptions = 10;
// Far more than ten hours of steps take.
inline constexpr std::size_t kMaxReplayBytes = 64 << 20;
// The header of any replay fits in this much of the file's start (a stage's
// path of 4,096 bytes written as escapes and the random state included).
inline constexpr std::size_t kReplayHeaderBytes = 32 << 10;

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

std::string ReplayToText(const Replay& replay);
// Nothing, with the reason, for a text that is not a whole replay.
std::optional<Replay> ReplayFromText(std::string_view text, std::string& error);
// What the start of a replay's text says of it, its steps unread (input stays
// empty); steps: how many its header promises. Nothing, with the reason, for a
// start that holds no whole header.
std::optional<Replay> ReplayHeaderFromText(std::string_view start, long& steps, std::string& error);
// True when the text starts as a replay of any format does (and not as a bare
// list of steps).
bool LooksLikeReplay(std::string_view text);
// True for a replay of a format later than this game reads.
bool IsNewerReplay(std::string_view text);
