#pragma once
// The replays in a folder as the REPLAYS screen lists them: read from the
// start of each file, never whole, so that a folder of hundreds opens at once.
#include <string>
#include <vector>

// Why a listed replay cannot be played.
enum class ReplayProblem { None, Empty, TooLarge, Unreadable, NewerVersion, Damaged };
// How the list says it: "EMPTY", "TOO LARGE", "UNREADABLE", "NEWER VERSION",
// "DAMAGED"; empty for None.
const char* ProblemWord(ReplayProblem problem);

// The best scores marked in the list and kept by the shelf: finished games
// that were no practice.
inline constexpr int kBestReplays = 5;

struct ReplayEntry {
    std::string fileName;
    // When it was kept, as StampOf writes it: from a name the shelf gave,
    // else the file's time.
    std::string stamp;
    // Only files the shelf named are ever pruned.
    bool shelfName = false;
    // The stage's name is empty for a replay of the first format: its stage
    // file (empty: the delivered stage) names it.
    std::string stageName, stageFile, level, section;
    std::string score;
    long steps = 0;
    bool practice = false;
    bool finished = true;
    bool best = false;
    ReplayProblem problem = ReplayProblem::None;
    // The problem in words.
    std::string why;
};

// Newest first, one entry for every regular file named "*.replay". A link or
// anything else of that name is left out with a line on stderr (unless
// quiet): nothing is followed out of the folder.
std::vector<ReplayEntry> ListReplays(const std::string& folder, bool quiet = false);

// "2026-12-08 14:30" of a stamp.
std::string DateText(const std::string& stamp);

// Removes a listed replay's file once it is sure that is a regular file
// directly in the folder (no link, no folder, nothing out of it). False, with
// the reason, otherwise.
bool DeleteReplay(const std::string& folder, const std::string& fileName, std::string& error);
