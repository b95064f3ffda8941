#include "render/gl_objects.h"

#include "render/gl_api.h"

void DeleteGlBuffer::operator()(unsigned id) const {
    glDeleteBuffers(1, &id);
}

void DeleteGlTexture::operator()(unsigned id) const {
    glDeleteTextures(1, &id);
}

void EnsureBuffer(GlBuffer& buffer) {
    if (buffer.id() == 0) {
        GLuint id = 0;
        glGenBuffers(1, &id);
        buffer = GlBuffer(id);
    }
}

GlDisplayLists::GlDisplayLists(int count) : base_(glGenLists(count)), count_(base_ ? count : 0) {}

void GlDisplayLists::reset() {
    if (base_ != 0) {
        glDeleteLists(base_, count_);
        base_ = 0;
        count_ = 0;
    }
}
