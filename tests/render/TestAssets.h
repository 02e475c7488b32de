#pragma once
// Small models and images written on the fly for the picture tests.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "support/TempDir.h"

struct XMaterial {
    float r, g, b, a;
    float er, eg, eb;     // emissive
    std::string texture;  // file name beside the model, or none
};

inline XMaterial Colour(float r, float g, float b, float a = 1) {
    return XMaterial{r, g, b, a, 0, 0, 0, ""};
}
inline XMaterial Textured(const std::string& file) {
    return XMaterial{1, 1, 1, 1, 0, 0, 0, file};
}

struct XSquare {
    float cx, cz, half;  // a square in the x-z plane at height 0, facing +y
    int material;
    float nx = 0, ny = 1, nz = 0;  // the normal written for its corners
};

// A text .x model of flat squares, one material list entry per square's material.
std::string SquaresModel(const std::vector<XMaterial>& materials,
                         const std::vector<XSquare>& squares);
// A closed box centred on the origin with half extents hx, hy, hz and one material.
std::string BoxModel(float hx, float hy, float hz, const XMaterial& material);

void WriteText(const std::filesystem::path& path, const std::string& text);
// A PNG of the given ARGB pixels, top row first.
void WritePng(const std::filesystem::path& path, int width, int height,
              const std::vector<uint32_t>& argb);
void WriteSolidPng(const std::filesystem::path& path, int width, int height, uint32_t argb);
