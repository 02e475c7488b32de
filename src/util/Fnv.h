#pragma once
#include <cstdint>
#include <string_view>

// FNV-1a, 64 bits: a fingerprint of bytes, the same on every machine.
class Fnv {
public:
    void Add(std::string_view bytes) {
        for (unsigned char c : bytes) {
            hash ^= c;
            hash *= 1099511628211ull;
        }
    }
    template <class T>
    void AddValue(T value) {
        Add(std::string_view(reinterpret_cast<const char*>(&value), sizeof value));
    }
    uint64_t Value() const { return hash; }

private:
    uint64_t hash = 14695981039346656037ull;
};
