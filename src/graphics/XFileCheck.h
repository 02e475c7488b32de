#pragma once
#include <cstddef>
#include <string>

// The largest .x file the game reads, and the most a compressed one may inflate to.
constexpr std::size_t kMaxXFileBytes = 64 << 20;

// The model importer trusts the files it reads: a damaged .x file can make it
// allocate for a billion vertices, index past its arrays or recurse until the
// stack runs out. This reads a text, binary or compressed .x file token by token
// the way the importer will, keeping nothing, and says what is wrong with it if
// anything: counts the file does not hold, indices out of range, objects cut
// short, references to materials that are not there.
//
// On success `file` holds what the importer is to be given: a compressed file is
// replaced by its inflated text or binary form, so the importer reads exactly the
// bytes that were checked; a UTF-8 byte order mark is dropped.
bool PrepareXFile(std::string& file, std::string& why);
