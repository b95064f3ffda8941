// How many vertices, edges and faces of the editable objects are selected,
// asked after every edit to grey out commands. The counts are kept per object
// and brought up to date from the elements the selection changes name, so a
// click on a big object reads the elements it changed instead of all of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class CCentigrade;
class CFace;
class CModel;

// Whether the view shows the face selected as a whole: selected itself, or a
// triangle or quad with every edge selected, as a range pick takes a face.
bool IsFaceTaken(const CFace& face);

struct SelectionCounts {
    std::size_t vertices = 0;  // selected directly
    std::size_t edges = 0;     // edge flags of faces (an edge of two faces counts twice)
    std::size_t faces = 0;
    std::size_t takenFaces = 0;  // IsFaceTaken

    bool Any() const { return vertices + edges + faces > 0; }
    friend bool operator==(const SelectionCounts&, const SelectionCounts&) = default;
};

class SelectionCounter {
public:
    // The counts of the objects whose state is editable.
    SelectionCounts Count(const CCentigrade& scene);

private:
    struct ObjectState {
        std::uint64_t selection = 0;
        std::uint64_t topology = 0;
        // Per element: bit 0 selected; for faces bits 1 to 4 the edge flags
        // and bit 5 IsFaceTaken.
        std::vector<std::uint8_t> vertices;
        std::vector<std::uint8_t> faces;
        SelectionCounts counts;
    };

    static void Follow(const CModel& model, std::size_t firstVertex, std::size_t endVertex,
                       std::size_t firstFace, std::size_t endFace, ObjectState& state);

    std::vector<ObjectState> objects_;
};
