#pragma once
// The fixed-function state as GL last got it, so a draw sends only what changed.
#include <cstdint>

#include <epoxy/gl.h>

#include "graphics/RenderBackend.h"

// What the back end has asked of GL since it was made.
struct GlCounters {
    long drawCalls = 0;
    long stateChanges = 0;  // calls that set pipeline state, uniforms or bindings
};

// How the back buffer's rows lie in GL's, which counts them from the bottom.
struct BackBufferRows {
    int height = 0;
    bool topFirst = false;
    // GL's first row of the band of rows y..y + rows - 1 counted from the top.
    int GlRow(int y, int rows) const { return topFirst ? y : height - y - rows; }
};

class GlStateCache {
public:
    explicit GlStateCache(GlCounters& counters) : counters(counters) {}

    // The back buffer the viewports are placed in.
    void SetTarget(const BackBufferRows& rows) { target = rows; }
    // Blending, culling, depth and the viewport.
    void ApplyPipeline(const FixedFunctionState& s);
    // Binds the texture to unit 0 unless it is bound already.
    void BindTexture(GLuint name, uint64_t serial);
    void BindArray(GLuint array);
    // Someone else bound a texture or a vertex array, or wrote the depth mask.
    void ForgetTexture() { boundTexture = 0; }
    void ForgetArray() { boundArray = 0; }
    void DepthMaskSetTo(bool on) { applied.depthMask = on; }

private:
    struct Applied {
        bool valid = false;
        bool blend = false, depthTest = false, depthMask = false;
        GLenum src = 0, dst = 0, cull = 0;
        Viewport viewport;
    };

    GlCounters& counters;
    BackBufferRows target;
    Applied applied;
    GLuint boundArray = 0;
    uint64_t boundTexture = 0;  // the serial of the texture bound to unit 0
};
