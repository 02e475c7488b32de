#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A decoded image: ARGB pixels, top row first. Empty when decoding failed.
struct Image {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
    bool Empty() const { return pixels.empty(); }
};

class ImageDecoder {
public:
    virtual ~ImageDecoder() = default;
    virtual Image Decode(const std::string& path) = 0;
};
