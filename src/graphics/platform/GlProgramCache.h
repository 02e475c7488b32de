#pragma once
// The shader programs, one for each ProgramKey the draws need, built on first
// use and kept; and the uniforms each was last sent.
#include <memory>
#include <vector>

#include <epoxy/gl.h>
#include <glm/glm.hpp>

#include "graphics/RenderBackend.h"
#include "graphics/platform/GlShaders.h"
#include "graphics/platform/GlStateCache.h"

class GlProgramCache {
public:
    explicit GlProgramCache(GlCounters& counters);
    ~GlProgramCache();

    // Makes the program for the state current, building it on first use, and
    // sends the uniforms it reads that changed; false when it cannot be built.
    bool Use(const FixedFunctionState& s, bool screenSpace);

private:
    struct Program;
    Program* Find(const ProgramKey& key);

    GlCounters& counters;
    std::vector<std::unique_ptr<Program>> programs;
    Program* current = nullptr;
};
