// The GL texture objects of the decoded images that materials hold.
//
// An image is uploaded the first time a material holding it is drawn. Copies of
// a material share its image (a shared pointer), so the texture object is kept
// while any holder is left and deleted once the last one let go: the cache
// watches each image through a weak pointer and never keeps one alive itself.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "render/gl_objects.h"

class DibStream;

class TextureCache {
public:
    // The texture object of `image`, uploaded on first use; 0 when the image
    // holds no picture the GL can take. Needs the context current.
    unsigned Acquire(const std::shared_ptr<DibStream>& image);
    // Deletes the texture objects of images that nobody holds any more.
    void DropUnused();
    // Deletes every texture object. Needs the context current, as does
    // destroying a cache that holds any.
    void Release() { entries_.clear(); }

    std::size_t Count() const { return entries_.size(); }

private:
    struct Entry {
        std::weak_ptr<DibStream> image;
        GlTexture name;
    };

    std::vector<Entry> entries_;
};

// Uploads one picture into a new texture object bound to GL_TEXTURE_2D, scaled
// down when the GL refuses its size; none when it cannot be uploaded at all.
GlTexture UploadTexture(const DibStream& image);
