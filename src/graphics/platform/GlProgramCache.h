#pragma once
// The shader programs, one for each combination of the switches a draw's state
// sets, built on first use and kept; and the uniforms each was last sent.
#include <array>
#include <iterator>
#include <memory>
#include <vector>

#include <epoxy/gl.h>
#include <glm/glm.hpp>

#include "graphics/RenderBackend.h"
#include "graphics/platform/GlStateCache.h"

class GlProgramCache {
public:
    // The switches of GlShaders.h, in their order.
    static constexpr const char* kSwitches[] = {
        "SCREEN_SPACE", "LIGHTING",   "LIGHT_ENABLED", "HAS_TEXTURE", "ALPHA_TEST", "ALPHA_FUNC",
        "COLOR_OP",     "COLOR_ARG1", "COLOR_ARG2",    "ALPHA_OP",    "ALPHA_ARG1", "ALPHA_ARG2"};
    using Key = std::array<int, std::size(kSwitches)>;

    explicit GlProgramCache(GlCounters& counters);
    ~GlProgramCache();

    // Only what changes the picture tells two programs apart.
    static Key KeyOf(const FixedFunctionState& s, bool screenSpace);

    // Makes the program for the state current, building it on first use, and
    // sends the uniforms it reads that changed; false when it cannot be built.
    bool Use(const FixedFunctionState& s, bool screenSpace);

private:
    struct Program;
    Program* Find(const Key& key);

    GlCounters& counters;
    std::vector<std::unique_ptr<Program>> programs;
    Program* current = nullptr;
};
