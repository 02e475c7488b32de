#pragma once
#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// Replaces the file at path with contents as one step: the bytes go to a new
// file in the same folder, which then takes the old one's name. A failure at
// any point (no room, no permission, a crash) leaves the old file as it was.
// The file keeps its permissions; a new one is readable by all, written by its
// owner. False, with the reason, when the file could not be written.
bool WriteFileAtomically(const std::string& path, const std::string& contents, std::string& error);
// The same, with the system's error code, for callers that tell a full disk
// from a read-only folder.
bool WriteFileAtomically(const std::string& path, const std::string& contents,
                         std::error_code& error);

// Where a write to path lands: path itself, or the file at the end of the
// links it leads through (a dotfiles folder's), so the link stays a link.
// Nothing, with the error, for a link that leads nowhere or round in a loop.
std::optional<std::string> WriteTarget(const std::string& path, std::error_code& error);

// Removes the new files that writes to path left when they were cut short (the
// process killed before the rename): all of them while no other process writes
// to it (under its lock), else those untouched for longer than olderThan.
void RemoveLeftoverTemporaries(const std::string& path,
                               std::chrono::seconds olderThan = std::chrono::seconds{0});

// Removes, from a folder where many files are written so, the new files that
// writes to names ending in extension left when they were cut short, once they
// have been left untouched for longer than age: a write under way in another
// process is not cut.
void RemoveStaleTemporaries(const std::string& folder, std::string_view extension,
                            std::chrono::seconds age);
