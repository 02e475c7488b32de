#pragma once
// Gathers consecutive draws that differ only in what the shader reads per draw
// (screen quads; draws of one mesh range with their own world matrix and
// materials) and sends each run to GL as one call, in the order they came.
#include <cstddef>
#include <cstdint>
#include <vector>

#include <epoxy/gl.h>
#include <glm/glm.hpp>

#include "graphics/RenderBackend.h"
#include "graphics/platform/GlProgramCache.h"
#include "graphics/platform/GlResources.h"
#include "graphics/platform/GlStateCache.h"

class GlBatcher {
public:
    GlBatcher(GlStateCache& pipeline, GlProgramCache& programs, GlCounters& counters);
    ~GlBatcher();

    // Makes the streams and the quads' vertex array; needs a current context.
    void Create();
    // Sets up the bound vertex array for a mesh whose vertices and indices are
    // bound: its vertex attributes, and the per-draw ones it is drawn with.
    void DescribeMeshArray() const;
    // How many materials one batch can carry at most.
    size_t MaxMaterials() const { return static_cast<size_t>(materialTexels) / 3; }

    // A draw of indexCount indices of the mesh from firstIndex on with the given
    // number of materials, queued next: with one, every vertex takes it; with
    // several, the vertices of subset s take the s-th.
    void QueueModel(const FixedFunctionState& state, const GlMesh& mesh, uint32_t firstIndex,
                    uint32_t indexCount, size_t materials);
    void QueueMaterial(const Material& m);
    void QueueQuad(const FixedFunctionState& state, const QuadVertex (&vertices)[4]);
    // Sends what consecutive draws with the same state have gathered, in their order.
    void Flush();

private:
    enum class Pending { None, Quads, Instances };
    // A buffer written front to back and renewed when full.
    struct Stream {
        GLuint name;
        size_t size, offset;
    };
    static Stream MakeStream(size_t bytes);
    // Copies data into the stream at a multiple of unit bytes; returns where it went.
    static size_t Write(Stream& stream, const void* data, size_t bytes, size_t unit);
    void Discard();

    GlStateCache& pipeline;
    GlProgramCache& programs;
    GlCounters& counters;
    GLuint quadArray = 0, quadIndexBuffer = 0;
    Stream streamBuffer{};    // instances and quad vertices
    Stream materialStream{};  // the instances' materials, read through materialTexture
    GLuint materialTexture = 0;
    int materialTexels = 0;
    bool hasBaseInstance = false;

    Pending pending = Pending::None;
    FixedFunctionState pendingState;
    std::vector<QuadVertex> pendingQuads;
    std::vector<GlInstance> pendingInstances;
    std::vector<glm::vec4> pendingMaterials;
    const GlMesh* pendingMesh = nullptr;
    uint32_t pendingFirst = 0, pendingCount = 0;
};
