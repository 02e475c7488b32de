#include "game/ReplayShelf.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "util/AtomicFile.h"

namespace fs = std::filesystem;

namespace {

// A name this shelf gave: the time, the score, then anything, ".replay".
bool IsReplayName(std::string_view name) {
    constexpr std::string_view kShape = "00000000-000000-000000000000-", kEnd = ".replay";
    if (name.size() < kShape.size() + kEnd.size() || !name.ends_with(kEnd)) return false;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        bool digit = name[i] >= '0' && name[i] <= '9';
        if (kShape[i] == '0' ? !digit : name[i] != '-') return false;
    }
    return true;
}

std::tm LocalTime(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

// Letters, digits, '-' and '_' survive in every file system; the rest becomes '_'.
std::string SafeName(const std::string& stage) {
    std::string name = fs::path(stage).stem().string().substr(0, 40);
    for (char& c : name) {
        bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                     c == '-' || c == '_';
        if (!plain) c = '_';
    }
    return name;
}

}  // namespace

ReplayShelf::ReplayShelf(std::string folder, std::function<uint64_t()> modelsHash)
    : folder(std::move(folder)), modelsHash(std::move(modelsHash)) {}

ReplayShelf::~ReplayShelf() {
    Flush();
}

void ReplayShelf::Flush() {
    if (writer.joinable()) writer.join();
}

std::string ReplayShelf::FileName(std::time_t when, const std::string& score,
                                  const std::string& stageName) {
    std::tm local = LocalTime(when);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return std::string(stamp) + "-" + score + "-" + SafeName(stageName) + ".replay";
}

void ReplayShelf::Keep(Replay replay, std::string stageName) {
    if (folder.empty()) return;
    Flush();  // one at a time, oldest first
    std::string name = FileName(std::time(nullptr), replay.score, stageName);
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
    for (int n = 2; fs::exists(path, e) && n < 100; ++n)
        path = fs::path(folder) /
               (fs::path(name).stem().string() + "-" + std::to_string(n) + ".replay");
    std::string why;
    if (!WriteFileAtomically(path.string(), ReplayToText(replay), why)) {
        std::fprintf(stderr, "velmora: the replay was not kept: %s\n", why.c_str());
        return;
    }
    Prune(folder);
}

void ReplayShelf::Prune(const std::string& folder) {
    struct Kept {
        fs::path path;
        std::string when, score;
    };
    std::vector<Kept> replays;
    std::error_code e;
    for (const auto& entry : fs::directory_iterator(folder, e)) {
        std::string name = entry.path().filename().string();
        if (entry.is_regular_file(e) && IsReplayName(name))
            replays.push_back({entry.path(), name, name.substr(16, 12)});
    }
    auto newest = [](const Kept& a, const Kept& b) { return a.when > b.when; };
    std::sort(replays.begin(), replays.end(), newest);
    std::vector<bool> keep(replays.size(), false);
    for (std::size_t i = 0; i < replays.size() && i < kRecent; ++i)
        keep[i] = true;
    std::vector<std::size_t> byScore(replays.size());
    for (std::size_t i = 0; i < byScore.size(); ++i)
        byScore[i] = i;
    std::stable_sort(byScore.begin(), byScore.end(), [&](std::size_t a, std::size_t b) {
        return replays[a].score > replays[b].score;
    });
    for (std::size_t i = 0; i < byScore.size() && i < kBest; ++i)
        keep[byScore[i]] = true;
    for (std::size_t i = 0; i < replays.size(); ++i) {
        if (!keep[i]) fs::remove(replays[i].path, e);
    }
}
