#include "render/texture_cache.h"

#include <algorithm>

#include "image/dib_stream.h"
#include "render/gl_api.h"
#include "render/texture_fit.h"

namespace {

bool SameOwner(const std::weak_ptr<DibStream>& a, const std::shared_ptr<DibStream>& b) {
    return !a.owner_before(b) && !b.owner_before(a);
}

// Whether the GL would take a texture of this size; it answers through the
// proxy target without storing anything.
bool SizeAccepted(int components, int width, int height, GLenum format) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, components, width, height, 0, format, GL_UNSIGNED_BYTE,
                 nullptr);
    GLint acceptedWidth = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &acceptedWidth);
    return acceptedWidth != 0;
}

}  // namespace

unsigned TextureCache::Acquire(const std::shared_ptr<DibStream>& image) {
    if (!image) {
        return 0;
    }
    for (const Entry& entry : entries_) {
        if (SameOwner(entry.image, image)) {
            return entry.name.id();
        }
    }
    // A failed upload is remembered as name 0, so it is not retried every frame.
    entries_.push_back(Entry{image, UploadTexture(*image)});
    return entries_.back().name.id();
}

void TextureCache::DropUnused() {
    std::erase_if(entries_, [](const Entry& entry) { return entry.image.expired(); });
}

GlTexture UploadTexture(const DibStream& image) {
    // The image code hands over 24-bit (blue, green, red) or 32-bit (with alpha) pictures.
    const int bitCount = image.BitCount();
    if (image.Empty() || (bitCount != 24 && bitCount != 32)) {
        return {};
    }
    const int components = bitCount / 8;
    const GLenum format = components == 4 ? GL_BGRA : GL_BGR;
    int width = image.Width();
    int height = image.AbsHeight();
    if (width <= 0 || height <= 0) {
        return {};
    }

    // DibStream rows are padded to 4 bytes; declaring that alignment makes the
    // GL skip the padding for every width.
    glPixelStorei(GL_UNPACK_ALIGNMENT, DibStream::kRowAlignment);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
    glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);

    // Mesa's software rasterisers overrun a buffer of their own when even the
    // proxy is asked about a side of 2^25 pixels (a few bytes of run-length
    // data describe one): sides beyond the limit are halved before asking.
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    const auto beyondLimit = [maxSide](int side) { return maxSide > 0 && side > maxSide; };
    while (beyondLimit(width) || beyondLimit(height) ||
           !SizeAccepted(components, width, height, format)) {
        if (width == 1 && height == 1) {
            return {};
        }
        width = std::max(1, width / 2);
        height = std::max(1, height / 2);
    }
    std::vector<std::uint8_t> scaled;
    const std::uint8_t* pixels = image.Bits();
    if (width != image.Width() || height != image.AbsHeight()) {
        scaled =
            ResampleNearest(pixels, image.Width(), image.AbsHeight(), components, width, height);
        pixels = scaled.data();
    }

    GLuint id = 0;
    glGenTextures(1, &id);
    GlTexture name(id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    return name;
}
