#include "graphics/platform/GlResources.h"

GlTexture::GlTexture(GLuint name, int width, int height, TextureFormat format,
                     std::function<void()> beforeUpload)
    : GpuTexture(width, height, format), name(name), beforeUpload(std::move(beforeUpload)) {
    static uint64_t made = 0;
    serial = ++made;
}

GlTexture::~GlTexture() {
    glDeleteTextures(1, &name);
}

void GlTexture::Upload(const void* pixels, int pitchBytes) {
    if (pitchBytes % 4 != 0 || pitchBytes / 4 < Width()) return;
    beforeUpload();
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, pitchBytes / 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, Width(), Height(), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                    pixels);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

GlMesh::GlMesh(uint32_t subsets) : subsets(subsets) {
    glGenVertexArrays(1, &array);
    glGenBuffers(1, &vertices);
    glGenBuffers(1, &indices);
}

GlMesh::~GlMesh() {
    glDeleteBuffers(1, &indices);
    glDeleteBuffers(1, &vertices);
    glDeleteVertexArrays(1, &array);
}
