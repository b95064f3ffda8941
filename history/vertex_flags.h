// The vertex flags (selected, mark, used) an edit changed. Deleting a face
// clears `used` of every vertex left without a face in every object, and the
// pick around it rebuilds the marks; which vertices that hits is known only
// afterwards, so the flags are compared with a one-byte-a-vertex copy taken
// before, and only the differences are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CCentigrade;
struct SceneChange;

class VertexFlagSnapshot {
public:
    explicit VertexFlagSnapshot(const CCentigrade& scene);

private:
    friend class VertexFlagDelta;
    std::vector<std::uint8_t> bits_;
    std::vector<std::size_t> starts_;  // of each object in bits_, and the end
};

class VertexFlagDelta {
public:
    // The objects and their vertex counts must be those of the snapshot:
    // edits never remove vertices.
    void Record(const VertexFlagSnapshot& before, const CCentigrade& after);
    void Restore(CCentigrade& scene, bool toAfter) const;
    bool Empty() const { return changes_.empty(); }
    std::size_t Bytes() const { return changes_.capacity() * sizeof(Change); }

private:
    struct Change {
        std::uint32_t model;
        std::uint32_t vertex;
        std::uint8_t before;
        std::uint8_t after;
    };
    std::vector<Change> changes_;
};
