// A copy of what a native document stores, packed into a few flat arrays,
// and the one writer of the native layout: a save writes the scene through a
// copy, and an autosave takes the copy on the user-interface thread, which it
// stalls for less than turning the scene into document bytes would, and
// writes it on another thread while the user goes on editing the scene.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/material.h"
#include "scene/vector.h"

class ArchiveWriter;
class CCentigrade;

class DocumentCopy {
public:
    // Copies the scene; the buffers of the previous copy are reused.
    void Take(const CCentigrade& scene);
    // Writes the scene as taken, in the layout every record's reader reads.
    void WriteTo(ArchiveWriter& writer) const;
    std::size_t DocumentBytes() const;

private:
    struct Model {
        int id;
        std::string name;
        float facet;
        int mirrorAxis;
        int state;
        std::size_t vertices;
        std::size_t faces;
    };
    struct Face {
        float normal[3];
        std::int32_t material;
        std::uint32_t indices;
        std::uint32_t uvs;
    };

    std::vector<Model> models_;
    // Kept from one copy to the next: only the first copy pays for the pages.
    std::vector<float> positions_;  // x, y, z of every vertex, object after object
    std::vector<Face> faces_;
    std::vector<std::int32_t> indices_;
    std::vector<CUV> uvs_;
    std::vector<CMaterial> materials_;  // without their images
    int modelSerial_ = 0;
    int materialSerial_ = 0;
    int smooth_ = 0;
    float zoom_ = 0;
    CAnimation camera_;
};
