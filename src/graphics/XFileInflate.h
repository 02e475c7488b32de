#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// A compressed .x file ("tzip" or "bzip") holds, after its 16-byte header, the
// size of the whole file once inflated (header included, 32 bits) and then
// MSZIP blocks: <inflated size:16> <compressed size:16> "CK" <raw deflate data>,
// sizes little-endian, the compressed size counting "CK". Each block inflates to
// at most 32 KiB with the block before it as its dictionary.
//
// Inflates the body (everything after the header) into `body`. Refuses a declared
// size above maxBytes before inflating anything, and blocks that do not add up to it.
bool InflateXFileBody(std::string_view file, std::size_t maxBytes, std::string& body,
                      std::string& why);
