#pragma once
// A small file of the player's that several running games may write: each
// rewrite takes the file's lock, reads what is on disk, merges this game's
// part into it and replaces the file as one step.
#include <functional>
#include <string>

// False, with the reason, when the file may not be replaced (the player made
// it read-only) or cannot be (a folder in its place, no room, no permission).
bool RewriteMerged(const std::string& path,
                   const std::function<std::string(const std::string& onDisk)>& merge,
                   std::string& why);
// The file's text for merging: empty when it is missing, unreadable or not a
// small regular file.
std::string ReadForMerge(const std::string& path);
