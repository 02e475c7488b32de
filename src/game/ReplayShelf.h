#pragma once
// The player's replays: a folder of files, one a game, kept to the most recent
// and the best. Writing happens on a thread of its own, so the game never
// waits for the disk.
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

#include "game/Replay.h"

class ReplayShelf {
public:
    static constexpr int kRecent = 20;

    // folder: with a trailing '/', made when the first replay is kept; empty
    // keeps none. modelsHash is asked once, on the writing thread.
    ReplayShelf(std::string folder, std::function<uint64_t()> modelsHash);
    // Waits for a replay still being written.
    ~ReplayShelf();
    ReplayShelf(const ReplayShelf&) = delete;
    ReplayShelf& operator=(const ReplayShelf&) = delete;

    // Writes the replay as a new file, named by the time, the score and the
    // stage (ReplayFileName), then lets go of the ones beyond the limits.
    void Keep(Replay replay, std::string stageName);
    // Returns once everything handed over is on disk.
    void Flush();

    // Removes the replays the shelf named that are neither among the kRecent
    // newest (by the files' times; justKept, a file's name, counts as the
    // newest) nor marked best by ListReplays, and what writes cut short left
    // behind. Files of other names, and replays of a newer version of the
    // game, are left alone.
    static void Prune(const std::string& folder, const std::string& justKept = "");
    // With its trailing '/'; empty when nothing is kept.
    const std::string& Folder() const { return folder; }

private:
    void Write(Replay replay, const std::string& name);

    std::string folder;
    std::function<uint64_t()> modelsHash;
    uint64_t models = 0;
    bool modelsKnown = false;
    bool saidNotKept = false;
    std::thread writer;
};
