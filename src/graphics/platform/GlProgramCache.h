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

    // Builds the program for the state and lets it go: false when the driver cannot.
    bool CanBuild(const FixedFunctionState& s);
    // Makes the program for the state current, building it on first use, and
    // sends the uniforms it reads that changed; false when it cannot be built.
    bool Use(const FixedFunctionState& s, bool screenSpace);
    // A frame went to the screen: once no program has been built for a while,
    // the shader compiler's library of built-in functions is let go.
    void FrameShown();

private:
    struct Program;
    Program* Find(const ProgramKey& key);

    GlCounters& counters;
    std::vector<std::unique_ptr<Program>> programs;
    Program* current = nullptr;
    bool compilerHeld = false;
    int framesSinceBuild = 0;
};
