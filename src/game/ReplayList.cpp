#include "game/ReplayList.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "game/Replay.h"
#include "game/ReplayName.h"
#include "util/StringUtil.h"

namespace fs = std::filesystem;

namespace {

// Up to the first bytes of an open file; false when it cannot be read.
bool ReadStart(int fd, std::size_t bytes, std::string& start) {
    start.resize(bytes);
    std::size_t at = 0;
    while (at < bytes) {
        ssize_t n = pread(fd, start.data() + at, bytes - at, static_cast<off_t>(at));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        at += static_cast<std::size_t>(n);
    }
    start.resize(at);
    return true;
}

void Refuse(ReplayEntry& entry, ReplayProblem problem, std::string why) {
    entry.problem = problem;
    entry.why = std::move(why);
}

// Whether the start holds the whole header; a header longer than the start
// read (a long stage name) is no damage: --replay plays such a file.
bool HeaderWithin(std::string_view start) {
    long steps = 0;
    std::string why;
    return ReplayHeaderFromText(start, steps, why).has_value();
}

// What the file's header says, or why it says nothing.
// start: room for the file's start, kept from one file to the next.
void ReadHeader(const std::string& path, ReplayEntry& entry, std::string& start) {
    // No blocking on a FIFO put in the file's place since it was listed.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return Refuse(entry, ReplayProblem::Unreadable, std::strerror(errno));
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        Refuse(entry, ReplayProblem::Unreadable, "not a regular file");
    } else if (info.st_size == 0) {
        Refuse(entry, ReplayProblem::Empty, "the file is empty");
    } else if (static_cast<uintmax_t>(info.st_size) > kMaxReplayBytes) {
        Refuse(entry, ReplayProblem::TooLarge,
               "the file is too large (" + std::to_string(info.st_size) + " bytes)");
    } else if (!ReadStart(fd, kReplayHeaderBytes, start) ||
               (start.size() == kReplayHeaderBytes && !HeaderWithin(start) &&
                !ReadStart(fd, static_cast<std::size_t>(info.st_size), start))) {
        Refuse(entry, ReplayProblem::Unreadable, std::strerror(errno));
    }
    close(fd);
    if (entry.problem != ReplayProblem::None) return;
    if (IsNewerReplay(start))
        return Refuse(entry, ReplayProblem::NewerVersion,
                      "the replay was made by a newer version of the game");
    std::string why;
    std::optional<Replay> replay = ReplayHeaderFromText(start, entry.steps, why);
    if (!replay) return Refuse(entry, ReplayProblem::Damaged, why);
    entry.stageName = replay->stageName;
    entry.stageFile = replay->stageFile;
    entry.level = replay->level;
    entry.section = replay->section;
    entry.score = replay->score;
    entry.practice = replay->practice;
    entry.finished = replay->finished;
}

// The rule the shelf keeps by: the best scores of finished games that were no
// practice, the newer first among equal ones.
void MarkBest(std::vector<ReplayEntry>& newestFirst) {
    std::vector<ReplayEntry*> counted;
    for (ReplayEntry& entry : newestFirst) {
        if (entry.problem == ReplayProblem::None && entry.finished && !entry.practice)
            counted.push_back(&entry);
    }
    std::stable_sort(
        counted.begin(), counted.end(),
        [](const ReplayEntry* a, const ReplayEntry* b) { return a->score > b->score; });
    for (std::size_t i = 0; i < counted.size() && i < kBestReplays; ++i)
        counted[i]->best = true;
}

}  // namespace

const char* ProblemWord(ReplayProblem problem) {
    switch (problem) {
        case ReplayProblem::None:
            return "";
        case ReplayProblem::Empty:
            return "EMPTY";
        case ReplayProblem::TooLarge:
            return "TOO LARGE";
        case ReplayProblem::Unreadable:
            return "UNREADABLE";
        case ReplayProblem::NewerVersion:
            return "NEWER VERSION";
        case ReplayProblem::Damaged:
            return "DAMAGED";
    }
    return "DAMAGED";
}

std::vector<ReplayEntry> ListReplays(const std::string& folder, bool quiet) {
    std::vector<ReplayEntry> entries;
    std::string start;
    std::error_code e;
    for (fs::directory_iterator it(folder, e), end; !e && it != end; it.increment(e)) {
        std::string name = it->path().filename().string();
        if (!name.ends_with(kReplayExtension)) continue;
        std::string path = it->path().string();
        struct stat link {};
        const char* leftOut = nullptr;
        if (lstat(path.c_str(), &link) != 0) {
            continue;  // gone since the folder was read
        } else if (S_ISLNK(link.st_mode)) {
            leftOut = "it is a link, and replays are kept as files of the folder";
        } else if (!S_ISREG(link.st_mode)) {
            leftOut = "it is not a regular file";
        }
        if (leftOut) {
            if (!quiet)
                std::fprintf(stderr, "velmora: %s is no replay: %s\n", Printable(path).c_str(),
                             leftOut);
            continue;
        }
        ReplayEntry& entry = entries.emplace_back();
        entry.fileName = name;
        std::optional<ShelfName> shelf = ReadShelfName(name);
        entry.shelfName = shelf.has_value();
        entry.stamp = shelf ? shelf->stamp : StampOf(link.st_mtime);
        // What the name says of the score stands until the header says it.
        if (shelf) entry.score = shelf->score;
        ReadHeader(path, entry, start);
    }
    if (e && e != std::errc::no_such_file_or_directory && !quiet) {
        std::fprintf(stderr, "velmora: the replays in %s cannot be listed: %s\n",
                     Printable(folder).c_str(), e.message().c_str());
    }
    std::sort(entries.begin(), entries.end(), [](const ReplayEntry& a, const ReplayEntry& b) {
        return a.stamp != b.stamp ? a.stamp > b.stamp : a.fileName > b.fileName;
    });
    MarkBest(entries);
    return entries;
}

std::string DateText(const std::string& stamp) {
    if (stamp.size() < 13) return stamp;
    return stamp.substr(0, 4) + "-" + stamp.substr(4, 2) + "-" + stamp.substr(6, 2) + " " +
           stamp.substr(9, 2) + ":" + stamp.substr(11, 2);
}

bool DeleteReplay(const std::string& folder, const std::string& fileName, std::string& error) {
    if (fileName.find('/') != std::string::npos || !fileName.ends_with(kReplayExtension)) {
        error = fileName + " is not a replay of the folder";
        return false;
    }
    std::string path = (fs::path(folder) / fileName).string();
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(link.st_mode)) {
        error = fileName + " is not a regular file";
        return false;
    }
    if (unlink(path.c_str()) != 0) {
        error = std::strerror(errno);
        return false;
    }
    return true;
}
