#include "graphics/platform/GlBatcher.h"

#include <algorithm>
#include <cstring>

namespace {

// The busiest frame of the stage streams 76 KB of instances and quads and 64 KB
// of materials, its largest batch 314 instances: the rings hold a few such frames
// before they are renewed, and a batch up to the limits below.
constexpr int kMaxBatchedQuads = 1024;
constexpr int kMaxInstances = 1024;
// One colour a texel, three a material.
constexpr int kMaxMaterialTexels = 1 << 14;
constexpr size_t kStreamBytes = 1 << 18;

// An attribute read from the bound array buffer.
void Attribute(GLuint location, GLint size, GLsizei stride, size_t offset, GLenum type = GL_FLOAT,
               GLboolean normalized = GL_FALSE) {
    glEnableVertexAttribArray(location);
    glVertexAttribPointer(location, size, type, normalized, stride,
                          reinterpret_cast<void*>(offset));
}

// The GL calls BindInstanceAttributes makes: the buffer, then three for each of
// the seven float attributes and three for the material's.
constexpr long kInstanceAttributeCalls = 1 + 7 * 3 + 3;

// Per-draw attributes from the stream buffer at base, read once per instance.
void BindInstanceAttributes(GLuint streamBuffer, size_t base) {
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    auto attribute = [base](GLuint location, GLint size, size_t offset) {
        Attribute(location, size, sizeof(GlInstance), base + offset);
        glVertexAttribDivisor(location, 1);
    };
    for (GLuint c = 0; c < 4; ++c) {
        attribute(kWorldLocation + c, 4, offsetof(GlInstance, world) + c * sizeof(glm::vec4));
    }
    for (GLuint c = 0; c < 3; ++c) {
        attribute(kNormalMatrixLocation + c, 3,
                  offsetof(GlInstance, normalMatrix) + c * sizeof(glm::vec3));
    }
    glEnableVertexAttribArray(kMaterialLocation);
    glVertexAttribIPointer(kMaterialLocation, 2, GL_INT, sizeof(GlInstance),
                           reinterpret_cast<void*>(base + offsetof(GlInstance, material)));
    glVertexAttribDivisor(kMaterialLocation, 1);
}

// The state a screen quad's look depends on (transforms, material and light do not apply).
bool SameQuadState(const FixedFunctionState& a, const FixedFunctionState& b) {
    return a.texture == b.texture &&
           std::memcmp(a.renderStates, b.renderStates, sizeof a.renderStates) == 0 &&
           std::memcmp(a.stageStates, b.stageStates, sizeof a.stageStates) == 0 &&
           std::memcmp(&a.viewport, &b.viewport, sizeof a.viewport) == 0;
}

// Model draws may differ in their world transform and material only.
bool SameModelState(const FixedFunctionState& a, const FixedFunctionState& b) {
    return SameQuadState(a, b) && a.Get(TransformKind::View) == b.Get(TransformKind::View) &&
           a.Get(TransformKind::Projection) == b.Get(TransformKind::Projection) &&
           a.lightEnabled[0] == b.lightEnabled[0] &&
           std::memcmp(&a.lights[0], &b.lights[0], sizeof a.lights[0]) == 0;
}

}  // namespace

GlBatcher::GlBatcher(GlStateCache& pipeline, GlProgramCache& programs, GlCounters& counters)
    : pipeline(pipeline), programs(programs), counters(counters) {}

GlBatcher::~GlBatcher() {
    glDeleteTextures(1, &materialTexture);
    glDeleteBuffers(1, &materialStream.name);
    glDeleteBuffers(1, &streamBuffer.name);
    glDeleteBuffers(1, &quadIndexBuffer);
    glDeleteVertexArrays(1, &quadArray);
}

void GlBatcher::Create() {
    hasBaseInstance = epoxy_gl_version() >= 42 || epoxy_has_gl_extension("GL_ARB_base_instance");
    streamBuffer = MakeStream(kStreamBytes);
    pendingInstances.reserve(kMaxInstances);
    // The materials of the queued draws, read by the vertex shader as texels.
    GLint maxTexels = 0;
    glGetIntegerv(GL_MAX_TEXTURE_BUFFER_SIZE, &maxTexels);
    materialTexels = std::min(maxTexels, kMaxMaterialTexels);
    materialStream = MakeStream(static_cast<size_t>(materialTexels) * sizeof(glm::vec4));
    pendingMaterials.reserve(materialTexels);
    glGenTextures(1, &materialTexture);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_BUFFER, materialTexture);
    glTexBuffer(GL_TEXTURE_BUFFER, GL_RGBA32F, materialStream.name);
    glActiveTexture(GL_TEXTURE0);

    glGenVertexArrays(1, &quadArray);
    glGenBuffers(1, &quadIndexBuffer);
    glBindVertexArray(quadArray);
    // Quads are drawn from wherever they were streamed by their base vertex.
    glBindBuffer(GL_ARRAY_BUFFER, streamBuffer.name);
    Attribute(kPositionLocation, 3, sizeof(QuadVertex), offsetof(QuadVertex, x));
    Attribute(kUvLocation, 2, sizeof(QuadVertex), offsetof(QuadVertex, u));
    Attribute(kColorLocation, GL_BGRA, sizeof(QuadVertex), offsetof(QuadVertex, color),
              GL_UNSIGNED_BYTE, GL_TRUE);
    std::vector<uint32_t> quadIndices;
    quadIndices.reserve(kMaxBatchedQuads * 6);
    for (uint32_t q = 0; q < kMaxBatchedQuads; ++q) {
        for (uint32_t i : {0u, 1u, 2u, 2u, 1u, 3u})
            quadIndices.push_back(4 * q + i);
    }
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quadIndexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, quadIndices.size() * sizeof(uint32_t), quadIndices.data(),
                 GL_STATIC_DRAW);
    glBindVertexArray(0);
    pipeline.ForgetArray();
    pendingQuads.reserve(kMaxBatchedQuads * 4);
}

void GlBatcher::DescribeMeshArray() const {
    Attribute(kPositionLocation, 3, sizeof(MeshVertex), offsetof(MeshVertex, position));
    Attribute(kNormalLocation, 3, sizeof(MeshVertex), offsetof(MeshVertex, normal));
    Attribute(kUvLocation, 2, sizeof(MeshVertex), offsetof(MeshVertex, uv));
    glEnableVertexAttribArray(kSubsetLocation);
    glVertexAttribIPointer(kSubsetLocation, 1, GL_UNSIGNED_INT, sizeof(MeshVertex),
                           reinterpret_cast<void*>(offsetof(MeshVertex, subset)));
    BindInstanceAttributes(streamBuffer.name, 0);
}

void GlBatcher::QueueModel(const FixedFunctionState& state, const GlMesh& mesh, uint32_t firstIndex,
                           uint32_t indexCount, size_t materials) {
    bool joins = pending == Pending::Instances && pendingMesh == &mesh &&
                 pendingFirst == firstIndex && pendingCount == indexCount &&
                 pendingInstances.size() < kMaxInstances &&
                 pendingMaterials.size() + 3 * materials <= static_cast<size_t>(materialTexels) &&
                 SameModelState(pendingState, state);
    if (!joins) {
        Flush();
        pending = Pending::Instances;
        pendingState = state;
        pendingMesh = &mesh;
        pendingFirst = firstIndex;
        pendingCount = indexCount;
    }
    const glm::mat4& world = state.Get(TransformKind::World);
    const int materialStep = materials > 1 ? 3 : 0;
    pendingInstances.push_back(GlInstance{world, glm::transpose(glm::inverse(glm::mat3(world))),
                                          glm::ivec2(pendingMaterials.size(), materialStep)});
}

void GlBatcher::QueueMaterial(const Material& m) {
    pendingMaterials.push_back(Rgba(m.diffuse));
    pendingMaterials.push_back(Rgba(m.ambient));
    pendingMaterials.push_back(Rgba(m.emissive));
}

void GlBatcher::QueueQuad(const FixedFunctionState& state, const QuadVertex (&vertices)[4]) {
    bool joins = pending == Pending::Quads && pendingQuads.size() < kMaxBatchedQuads * 4 &&
                 SameQuadState(pendingState, state);
    if (!joins) {
        Flush();
        pending = Pending::Quads;
        pendingState = state;
    }
    pendingQuads.insert(pendingQuads.end(), std::begin(vertices), std::end(vertices));
}

GlBatcher::Stream GlBatcher::MakeStream(size_t bytes) {
    Stream stream{0, bytes, 0};
    glGenBuffers(1, &stream.name);
    glBindBuffer(GL_ARRAY_BUFFER, stream.name);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr, GL_STREAM_DRAW);
    return stream;
}

size_t GlBatcher::Write(Stream& stream, const void* data, size_t bytes, size_t unit) {
    // Each batch gets storage no queued draw reads, so the driver never waits; it
    // starts at a whole number of units, so a draw finds it by its first element.
    glBindBuffer(GL_ARRAY_BUFFER, stream.name);
    size_t at = (stream.offset + unit - 1) / unit * unit;
    if (at + bytes > stream.size) {
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(stream.size), nullptr,
                     GL_STREAM_DRAW);
        at = 0;
    }
    void* target =
        glMapBufferRange(GL_ARRAY_BUFFER, static_cast<GLintptr>(at), static_cast<GLsizeiptr>(bytes),
                         GL_MAP_WRITE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
    bool written = false;
    if (target) {
        std::memcpy(target, data, bytes);
        written = glUnmapBuffer(GL_ARRAY_BUFFER) == GL_TRUE;
    }
    // A driver that cannot map (or lost the mapped data) still takes a plain copy.
    if (!written) {
        glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(at), static_cast<GLsizeiptr>(bytes),
                        data);
    }
    stream.offset = at + bytes;
    return at;
}

void GlBatcher::Discard() {
    pendingQuads.clear();
    pendingInstances.clear();
    pendingMaterials.clear();
    pending = Pending::None;
}

void GlBatcher::Flush() {
    if (pending == Pending::None) return;
    const bool quads = pending == Pending::Quads;
    pipeline.ApplyPipeline(pendingState);
    if (!programs.Use(pendingState, quads)) {
        Discard();
        return;
    }
    if (const auto* texture = static_cast<const GlTexture*>(pendingState.texture))
        pipeline.BindTexture(texture->name, texture->serial);
    if (quads) {
        size_t at = Write(streamBuffer, pendingQuads.data(),
                          pendingQuads.size() * sizeof(QuadVertex), sizeof(QuadVertex));
        pipeline.BindArray(quadArray);
        glDrawElementsBaseVertex(GL_TRIANGLES, static_cast<GLsizei>(pendingQuads.size() / 4 * 6),
                                 GL_UNSIGNED_INT, nullptr,
                                 static_cast<GLint>(at / sizeof(QuadVertex)));
    } else {
        size_t texel = Write(materialStream, pendingMaterials.data(),
                             pendingMaterials.size() * sizeof(glm::vec4), sizeof(glm::vec4)) /
                       sizeof(glm::vec4);
        for (GlInstance& instance : pendingInstances)
            instance.material.x += static_cast<int>(texel);
        size_t at = Write(streamBuffer, pendingInstances.data(),
                          pendingInstances.size() * sizeof(GlInstance), sizeof(GlInstance));
        pipeline.BindArray(pendingMesh->array);
        auto* indices =
            reinterpret_cast<void*>(static_cast<uintptr_t>(pendingFirst) * sizeof(uint32_t));
        auto count = static_cast<GLsizei>(pendingCount);
        auto instances = static_cast<GLsizei>(pendingInstances.size());
        if (hasBaseInstance) {
            glDrawElementsInstancedBaseInstance(GL_TRIANGLES, count, GL_UNSIGNED_INT, indices,
                                                instances,
                                                static_cast<GLuint>(at / sizeof(GlInstance)));
        } else {
            BindInstanceAttributes(streamBuffer.name, at);
            counters.stateChanges += kInstanceAttributeCalls;
            glDrawElementsInstanced(GL_TRIANGLES, count, GL_UNSIGNED_INT, indices, instances);
        }
    }
    ++counters.drawCalls;
    Discard();
}
