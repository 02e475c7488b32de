#pragma once
#include <cstddef>
#include <string>

// Whether path names a regular file (after links). A FIFO, a device or a folder
// is refused before anything opens it, so no loader waits on one. False, with
// the reason, otherwise.
bool IsRegularFile(const std::string& path, std::string& error);

// Reads a whole file into memory. False, with the reason, when the file is
// missing, not a regular file, unreadable or larger than maxBytes (which is not
// read at all).
bool ReadFileLimited(const std::string& path, std::size_t maxBytes, std::string& data,
                     std::string& error);

// Reads at most the first maxBytes of a regular file (the whole of a smaller
// one). False, with the reason, as ReadFileLimited; never opens a FIFO or a device.
bool ReadFileHead(const std::string& path, std::size_t maxBytes, std::string& data,
                  std::string& error);
