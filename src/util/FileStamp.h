#pragma once
#include <cstdint>
#include <string>

// A sign of whether a file or any file under a folder changed: their names,
// sizes and times of change, reading no file's bytes. A missing file or folder
// counts as such, so its coming or going is a change too. At most kMaxEntries
// entries of the folder are looked at.
uint64_t StampOfFiles(const std::string& file, const std::string& folder);

inline constexpr int kMaxStampEntries = 4096;
