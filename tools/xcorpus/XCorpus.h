#pragma once
// Writes the other forms of a text .x file: binary with 32- or 64-bit floats, and
// MSZIP-compressed text or binary, for the model corpus of the tests.
#include <cstddef>
#include <string>

namespace xcorpus {

// The same file in the binary format. Numbers with a '.' or an exponent are
// floats, the others integers; runs of one kind become one list, as the binary
// writers make them. Separators go, except the one that ends each string.
std::string ToBinary(const std::string& text, int floatBits);

// The file compressed: its body in MSZIP blocks of at most blockSize bytes.
std::string Compress(const std::string& file, std::size_t blockSize);

}  // namespace xcorpus
