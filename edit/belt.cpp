#include "edit/belt.h"

#include <array>
#include <vector>

#include "edit/vertex_faces.h"
#include "scene/model.h"

namespace {

// Finds the faces of the belt without changing anything: the walk keeps its own
// stack of pending faces instead of recursing once per face, and finds the
// faces at an edge through the per-vertex face lists.
class BeltWalker {
public:
    explicit BeltWalker(const CModel& model) : model_(model), onBelt_(model.faces.size(), false) {}

    void Claim(int face) { onBelt_[static_cast<std::size_t>(face)] = true; }

    // Walks across (a, b) from a face already claimed, visiting candidates in
    // face order and each branch depth first, as a recursive walk would.
    // False when a stale face list was met.
    bool Walk(int a, int b) {
        if (!PushFrame(a, b)) {
            return false;
        }
        while (!frames_.empty()) {
            Frame& frame = frames_.back();
            if (frame.next == frame.end) {
                candidates_.resize(frame.begin);
                frames_.pop_back();
                continue;
            }
            const int face = candidates_[frame.next++];
            if (onBelt_[static_cast<std::size_t>(face)]) {
                continue;
            }
            Claim(face);
            walked_.push_back(face);
            int nextA = 0;
            int nextB = 0;
            if (OppositeEdge(model_.faces[static_cast<std::size_t>(face)], frame.a, frame.b, nextA,
                             nextB) &&
                !PushFrame(nextA, nextB)) {
                return false;
            }
        }
        return true;
    }

    // The faces walked onto, the starting face not included.
    const std::vector<int>& Walked() const { return walked_; }

private:
    struct Frame {
        int a;
        int b;
        std::size_t begin;  // this frame's candidates in candidates_
        std::size_t next;
        std::size_t end;
    };

    // Collects the visible faces with exactly two corners on a or b, in face
    // order, by merging the (ordered) face lists of the two vertices.
    bool PushFrame(int a, int b) {
        if (!VertexFaceListIsConsistent(model_, a) || !VertexFaceListIsConsistent(model_, b)) {
            return false;
        }
        const std::size_t begin = candidates_.size();
        const auto& listA = model_.vertexInfo[static_cast<std::size_t>(a)].faces;
        const auto& listB = model_.vertexInfo[static_cast<std::size_t>(b)].faces;
        std::size_t i = 0;
        std::size_t j = 0;
        int last = -1;
        while (i < listA.size() || j < listB.size()) {
            int face = 0;
            if (j == listB.size() || (i < listA.size() && listA[i] <= listB[j])) {
                face = listA[i++];
            } else {
                face = listB[j++];
            }
            const CFace& f = model_.faces[static_cast<std::size_t>(face)];
            if (face != last && !f.hidden && CornersOn(f, a, b) == 2) {
                candidates_.push_back(face);
            }
            last = face;
        }
        frames_.push_back({a, b, begin, begin, candidates_.size()});
        return true;
    }

    static int CornersOn(const CFace& f, int a, int b) {
        int count = 0;
        for (int v : f.indices) {
            if (v == a || v == b) {
                ++count;
            }
        }
        return count;
    }

    // For a quad whose two corners on (a, b) are adjacent, the far edge.
    static bool OppositeEdge(const CFace& f, int a, int b, int& nextA, int& nextB) {
        if (f.indices.size() != 4) {
            return false;
        }
        std::array<int, 2> positions = {-1, -1};
        int found = 0;
        for (int k = 0; k < 4; ++k) {
            const int v = f.indices[static_cast<std::size_t>(k)];
            if ((v == a || v == b) && found < 2) {
                positions[static_cast<std::size_t>(found++)] = k;
            }
        }
        int first = 0;  // the first corner of the edge (first, first + 1)
        if (positions[1] - positions[0] == 1) {
            first = positions[0];
        } else if (positions[0] == 0 && positions[1] == 3) {
            first = 3;
        } else {
            return false;
        }
        nextA = f.indices[static_cast<std::size_t>((first + 2) % 4)];
        nextB = f.indices[static_cast<std::size_t>((first + 3) % 4)];
        return true;
    }

    const CModel& model_;
    std::vector<bool> onBelt_;
    std::vector<Frame> frames_;
    std::vector<int> candidates_;
    std::vector<int> walked_;
};

void SetEdges(CModel& model, const std::vector<int>& faces, bool state) {
    for (int face : faces) {
        model.faces[static_cast<std::size_t>(face)].SetAllEdges(state);
    }
}

}  // namespace

void SelectRing(CModel& model, int face, int edge, bool state) {
    CFace& f = model.faces[static_cast<std::size_t>(face)];
    f.SetAllEdges(state);
    if (f.indices.size() < 4) {
        return;
    }
    const auto corner = [&f, edge](int offset) {
        return f.indices[static_cast<std::size_t>((edge + offset) % 4)];
    };
    std::vector<int> belt;
    WithVertexFaces(model, [&] {
        BeltWalker walker(model);
        walker.Claim(face);
        if (!walker.Walk(corner(0), corner(1)) || !walker.Walk(corner(2), corner(3))) {
            return false;
        }
        belt = walker.Walked();
        return true;
    });
    SetEdges(model, belt, state);
}

void WalkBelt(CModel& model, int start, int previous, int a, int b, bool state) {
    std::vector<int> belt;
    WithVertexFaces(model, [&] {
        BeltWalker walker(model);
        walker.Claim(start);
        walker.Claim(previous);
        if (!walker.Walk(a, b)) {
            return false;
        }
        belt = walker.Walked();
        return true;
    });
    SetEdges(model, belt, state);
}
