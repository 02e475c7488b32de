#pragma once
// A small file of the player's that several running games may write: each
// rewrite takes the file's lock, reads what is on disk, merges this game's
// part into it and replaces the file as one step.
#include <functional>
#include <string>

// The file's text for merging: true, with no text, when there is no file yet.
// False, with the reason, when a file is there but cannot be read whole (too
// large, unreadable, not a regular file): what it holds is unknown, so it must
// never be replaced by a merge into nothing.
bool ReadForMerge(const std::string& path, std::string& text, std::string& why);

// Through a link, the file it leads to is rewritten. False, with the reason,
// when the file may not be replaced (the player made it read-only, it cannot be
// read whole, a link leads nowhere) or cannot be (a folder in its place, no
// room, no permission).
bool RewriteMerged(const std::string& path,
                   const std::function<std::string(const std::string& onDisk)>& merge,
                   std::string& why);
