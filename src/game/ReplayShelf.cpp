#include "game/ReplayShelf.h"

#include <algorithm>
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
    if (folder.empty()) {
        if (!saidNotKept)
            std::fprintf(stderr,
                         "velmora: no replay is kept: neither XDG_DATA_HOME nor HOME names a "
                         "folder to keep them in\n");
        saidNotKept = true;
        return;
    }
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
    Prune(folder, path.filename().string());
}

void ReplayShelf::Prune(const std::string& folder, const std::string& justKept) {
    RemoveStaleTemporaries(folder, kReplayExtension, kWriteCutShort);
    // Newest first by when each file was written: the date in a name is the
    // clock's of that day, and a clock set back would make the new game the
    // oldest of all. The one just kept is the newest, whatever the clocks say.
    std::vector<std::pair<fs::file_time_type, const ReplayEntry*>> shelved;
    std::vector<ReplayEntry> entries = ListReplays(folder, true);
    for (const ReplayEntry& entry : entries) {
        std::error_code e;
        fs::file_time_type written = fs::last_write_time(fs::path(folder) / entry.fileName, e);
        if (entry.fileName == justKept) written = fs::file_time_type::max();
        if (entry.shelfName && !e) shelved.emplace_back(written, &entry);
    }
    std::stable_sort(shelved.begin(), shelved.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    int recent = 0;
    for (const auto& [written, entry] : shelved) {
        bool keep =
            recent++ < kRecent || entry->best || entry->problem == ReplayProblem::NewerVersion;
        std::string why;
        if (!keep) DeleteReplay(folder, entry->fileName, why);
    }
}
