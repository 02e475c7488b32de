#include "game/ReplayShelf.h"

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "game/ReplayList.h"
#include "game/ReplayName.h"
#include "util/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

// A write in progress takes well under this; a new file older than it was cut short.
constexpr std::chrono::seconds kWriteCutShort{60};

}  // namespace

ReplayShelf::ReplayShelf(std::string folder, std::function<uint64_t()> modelsHash)
    : folder(std::move(folder)), modelsHash(std::move(modelsHash)) {}

ReplayShelf::~ReplayShelf() {
    Flush();
}

void ReplayShelf::Flush() {
    if (writer.joinable()) writer.join();
}

void ReplayShelf::Keep(Replay replay, std::string stageName) {
    if (folder.empty()) return;
    Flush();  // one at a time, oldest first
    std::string name = ReplayFileName(std::time(nullptr), replay.score, stageName);
    writer = std::thread(
        [this, name, replay = std::move(replay)]() mutable { Write(std::move(replay), name); });
}

void ReplayShelf::Write(Replay replay, const std::string& name) {
    if (!modelsKnown) {
        models = modelsHash();
        modelsKnown = true;
    }
    replay.modelsHash = models;
    std::error_code e;
    fs::create_directories(folder, e);
    // Two games ended within the same second with the same score keep both.
    fs::path path = fs::path(folder) / name;
    for (int n = 2; fs::exists(fs::symlink_status(path, e)) && n < 100; ++n)
        path = fs::path(folder) / (fs::path(name).stem().string() + "-" + std::to_string(n) +
                                   std::string(kReplayExtension));
    std::string why;
    if (!WriteFileAtomically(path.string(), ReplayToText(replay), why)) {
        std::fprintf(stderr, "velmora: the replay was not kept: %s\n", why.c_str());
        return;
    }
    Prune(folder);
}

void ReplayShelf::Prune(const std::string& folder) {
    RemoveStaleTemporaries(folder, kReplayExtension, kWriteCutShort);
    int recent = 0;
    for (const ReplayEntry& entry : ListReplays(folder, true)) {
        if (!entry.shelfName) continue;
        bool keep =
            recent++ < kRecent || entry.best || entry.problem == ReplayProblem::NewerVersion;
        std::string why;
        if (!keep) DeleteReplay(folder, entry.fileName, why);
    }
}
