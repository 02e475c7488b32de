#pragma once
// The shader pair that reproduces the fixed-function subset the game uses:
// per-vertex lighting with one directional light and a global ambient colour,
// texture stage 0 (select or modulate), and the alpha test. Each program is
// built for one ProgramKey, written into the source as defines made from the
// C++ enums, so the rasteriser runs only the path a draw takes and the shader
// has no numbers of its own.
#include <cstdint>
#include <string>

#include "graphics/RenderBackend.h"

// What a program computes: states with the same key draw the same pixels.
struct ProgramKey {
    bool screenSpace = false;
    bool lighting = false;
    bool directionalLight = false;
    // Texture stage 0 as products: how many times the texture and the vertex
    // colour are multiplied into the colour, and into the alpha.
    uint8_t colorTexture = 0, colorVertex = 1, alphaTexture = 0, alphaVertex = 1;
    // The comparison of a fragment's alpha with the reference it must pass.
    uint32_t alphaTest = kCmpAlways;

    bool operator==(const ProgramKey&) const = default;
};

// The program a draw with the state takes.
ProgramKey KeyOf(const FixedFunctionState& s, bool screenSpace);

namespace glsl {
// The text before each shader's body: the version and the key's defines.
std::string Preamble(const ProgramKey& key);
extern const char* const kVertexShader;
extern const char* const kFragmentShader;
}  // namespace glsl
