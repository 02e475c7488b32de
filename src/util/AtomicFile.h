#pragma once
#include <string>

// Replaces the file at path with contents as one step: the bytes go to a new
// file in the same folder, which then takes the old one's name. A failure at
// any point (no room, no permission, a crash) leaves the old file as it was.
// False, with the reason, when the file could not be written.
bool WriteFileAtomically(const std::string& path, const std::string& contents, std::string& error);

// Removes the new files that writes to path left when they were cut short (the
// process killed before the rename). Only while no other process writes to it.
void RemoveLeftoverTemporaries(const std::string& path);
