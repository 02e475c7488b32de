#include "graphics/platform/GlStateCache.h"

#include <cstring>

namespace {

GLenum BlendFactor(uint32_t v) {
    switch (v) {
        case kBlendZero:
            return GL_ZERO;
        case kBlendOne:
            return GL_ONE;
        case kBlendSrcAlpha:
            return GL_SRC_ALPHA;
        case kBlendInvSrcAlpha:
            return GL_ONE_MINUS_SRC_ALPHA;
        default:
            return GL_ONE;
    }
}

}  // namespace

void GlStateCache::ApplyPipeline(const FixedFunctionState& s) {
    Applied& a = applied;
    auto changed = [&a](auto& field, auto value) {
        if (a.valid && field == value) return false;
        field = value;
        return true;
    };
    long calls = 0;
    bool blend = s.Get(RenderState::AlphaBlendEnable) != 0;
    if (changed(a.blend, blend)) {
        blend ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
        calls += 1;
    }
    if (blend) {
        GLenum src = BlendFactor(s.Get(RenderState::SrcBlend));
        GLenum dst = BlendFactor(s.Get(RenderState::DestBlend));
        // Both are remembered, whichever changed.
        const bool srcChanged = changed(a.src, src);
        const bool dstChanged = changed(a.dst, dst);
        if (srcChanged || dstChanged) {
            glBlendFunc(src, dst);
            calls += 1;
        }
    }
    // The picture on screen has GL's orientation, so "counter-clockwise as seen" is GL's CCW.
    GLenum cull = s.Get(RenderState::CullMode) == kCullCCW  ? GL_CCW
                  : s.Get(RenderState::CullMode) == kCullCW ? GL_CW
                                                            : GL_NONE;
    if (changed(a.cull, cull)) {
        if (cull == GL_NONE) {
            glDisable(GL_CULL_FACE);
        } else {
            glEnable(GL_CULL_FACE);
            glCullFace(GL_FRONT);
            glFrontFace(cull);
        }
        calls += cull == GL_NONE ? 1 : 3;
    }
    bool depthTest = s.Get(RenderState::ZEnable) != 0;
    if (changed(a.depthTest, depthTest)) {
        if (depthTest) {
            glEnable(GL_DEPTH_TEST);
            glDepthFunc(GL_LEQUAL);
        } else {
            glDisable(GL_DEPTH_TEST);
        }
        calls += depthTest ? 2 : 1;
    }
    bool depthMask = s.Get(RenderState::ZWriteEnable) != 0;
    if (changed(a.depthMask, depthMask)) {
        glDepthMask(depthMask ? GL_TRUE : GL_FALSE);
        calls += 1;
    }
    const Viewport& v = s.viewport;
    if (!a.valid || std::memcmp(&a.viewport, &v, sizeof v) != 0) {
        a.viewport = v;
        glViewport(v.x, target.GlRow(v.y, v.height), v.width, v.height);
        glDepthRange(v.minZ, v.maxZ);
        calls += 2;
    }
    a.valid = true;
    counters.stateChanges += calls;
}

void GlStateCache::BindTexture(GLuint name, uint64_t serial) {
    if (serial == boundTexture) return;
    glBindTexture(GL_TEXTURE_2D, name);
    boundTexture = serial;
    ++counters.stateChanges;
}

void GlStateCache::BindArray(GLuint array) {
    if (array == boundArray) return;
    glBindVertexArray(array);
    boundArray = array;
    ++counters.stateChanges;
}
