#pragma once
#include <cstddef>
#include <string>

// Reads a whole file into memory. False, with the reason, when the file is
// missing, unreadable or larger than maxBytes (which is not read at all).
bool ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& data,
                     std::string& error);
