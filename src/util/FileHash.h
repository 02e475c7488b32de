#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A fingerprint of the files' bytes, in the order given; a file that cannot be
// read counts as missing, which differs from an empty one.
uint64_t HashFiles(const std::vector<std::string>& paths);
