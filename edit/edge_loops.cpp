#include "edit/edge_loops.h"

#include <algorithm>
#include <optional>
#include <unordered_set>

#include "edit/vertex_faces.h"
#include "scene/face_rules.h"
#include "scene/small_array.h"

namespace {

MeshEdge Edge(int a, int b) {
    return a < b ? MeshEdge{a, b} : MeshEdge{b, a};
}

std::uint64_t Key(const MeshEdge& e) {
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(e.a)) << 32 |
           static_cast<std::uint32_t>(e.b);
}

// Edge `edge` of face `face`: one of the flags an edge of the mesh has.
struct EdgeOwner {
    int face = 0;
    int edge = 0;

    friend bool operator==(const EdgeOwner&, const EdgeOwner&) = default;
};

// An edge at a vertex: the vertex at its other end and the face edges that
// join the two, `surfaces` of them of triangles or quads (the rest lines).
struct FanEdge {
    int other = 0;
    SmallArray<EdgeOwner, 2> owners;
    int surfaces = 0;

    bool SharesFaceWith(const FanEdge& e) const {
        for (const EdgeOwner& mine : owners) {
            for (const EdgeOwner& theirs : e.owners) {
                if (mine.face == theirs.face) {
                    return true;
                }
            }
        }
        return false;
    }
};

using Fan = std::vector<FanEdge>;

// Walks loops and rings over the visible faces through the per-vertex face
// lists. Every step reads the list of one vertex and checks it first; a walk
// returns false as soon as one fails the check, before anything is changed,
// so that WithVertexFaces rebuilds the lists and runs it again.
class EdgeWalker {
public:
    explicit EdgeWalker(const CModel& model) : model_(model) {}

    bool Loop(const MeshEdge& start, std::vector<MeshEdge>& loop) {
        loop.assign(1, start);
        seen_ = {Key(start)};
        const FanEdge* first = nullptr;
        if (!EdgeAt(start.a, start.b, fan_, first)) {
            return false;
        }
        const int kind = first ? first->surfaces : 0;
        if (!first || kind > 2) {
            return true;
        }
        std::vector<MeshEdge> forward;
        std::vector<MeshEdge> backward;
        bool closed = false;
        if (!WalkLoop(start, start.a, start.b, kind, forward, closed) ||
            (!closed && !WalkLoop(start, start.b, start.a, kind, backward, closed))) {
            return false;
        }
        Join(backward, forward, loop);
        return true;
    }

    bool Ring(int face, const MeshEdge& start, std::vector<MeshEdge>& ring) {
        ring.assign(1, start);
        seen_ = {Key(start)};
        crossed_.clear();
        std::vector<int> faces;
        if (!SurfacesAt(start, faces)) {
            return false;
        }
        if (faces.empty() || faces.size() > 2) {
            return true;
        }
        // The named face is crossed first.
        if (faces.size() == 2 && faces[1] == face) {
            std::swap(faces[0], faces[1]);
        }
        std::vector<MeshEdge> forward;
        std::vector<MeshEdge> backward;
        bool closed = false;
        if (!CrossQuads(start, faces[0], forward, closed) ||
            (!closed && faces.size() == 2 && !CrossQuads(start, faces[1], backward, closed))) {
            return false;
        }
        Join(backward, forward, ring);
        return true;
    }

    // Every face edge along `edges`.
    bool OwnersOf(const std::vector<MeshEdge>& edges, std::vector<EdgeOwner>& owners) {
        for (const MeshEdge& e : edges) {
            const FanEdge* found = nullptr;
            if (!EdgeAt(e.a, e.b, fan_, found)) {
                return false;
            }
            if (found) {
                owners.insert(owners.end(), found->owners.begin(), found->owners.end());
            }
        }
        return true;
    }

private:
    static void Join(std::vector<MeshEdge>& backward, const std::vector<MeshEdge>& forward,
                     std::vector<MeshEdge>& whole) {
        std::reverse(backward.begin(), backward.end());
        backward.insert(backward.end(), whole.begin(), whole.end());
        backward.insert(backward.end(), forward.begin(), forward.end());
        whole = std::move(backward);
    }

    // Goes on from `from` through `at`, edge by edge, while the loop's rule
    // finds exactly one way on.
    bool WalkLoop(const MeshEdge& start, int from, int at, int kind, std::vector<MeshEdge>& out,
                  bool& closed) {
        for (;;) {
            if (!FanOf(at, fan_)) {
                return false;
            }
            const std::optional<int> next = NextAlongLoop(fan_, from, kind);
            if (!next) {
                return true;
            }
            const MeshEdge e = Edge(at, *next);
            if (e == start) {
                closed = true;
                return true;
            }
            if (!seen_.insert(Key(e)).second) {
                return true;
            }
            out.push_back(e);
            from = at;
            at = *next;
        }
    }

    // Between two faces the way on is the one edge sharing no face with the
    // way in, at a vertex of exactly four such edges; along a border (a
    // line) it is the one other border (line) edge.
    static std::optional<int> NextAlongLoop(const Fan& fan, int from, int kind) {
        const auto in = std::find_if(fan.begin(), fan.end(),
                                     [from](const FanEdge& e) { return e.other == from; });
        if (in == fan.end()) {
            return std::nullopt;
        }
        if (kind == 2) {
            const bool regular =
                fan.size() == 4 && std::all_of(fan.begin(), fan.end(), [](const FanEdge& e) {
                    return e.surfaces == 2 && e.owners.size() == 2;
                });
            if (!regular) {
                return std::nullopt;
            }
        }
        std::optional<int> next;
        int ways = 0;
        for (const FanEdge& e : fan) {
            if (&e == &*in) {
                continue;
            }
            const bool way = kind == 2 ? !e.SharesFaceWith(*in) : e.surfaces == kind;
            if (way) {
                next = e.other;
                ++ways;
            }
        }
        return ways == 1 ? next : std::nullopt;
    }

    // Crosses quad `face` from `edge` to its opposite edge, and on across the
    // face beyond it while that edge lies between exactly two faces.
    bool CrossQuads(const MeshEdge& start, int face, std::vector<MeshEdge>& out, bool& closed) {
        MeshEdge edge = start;
        std::vector<int> beyond;
        for (;;) {
            const CFace& f = model_.faces[static_cast<std::size_t>(face)];
            if (f.indices.size() != 4 || !crossed_.insert(face).second) {
                return true;
            }
            const std::optional<MeshEdge> opposite = OppositeEdge(f, edge);
            if (!opposite) {
                return true;
            }
            if (*opposite == start) {
                closed = true;
                return true;
            }
            if (!seen_.insert(Key(*opposite)).second) {
                return true;
            }
            out.push_back(*opposite);
            if (!SurfacesAt(*opposite, beyond)) {
                return false;
            }
            if (beyond.size() != 2) {
                return true;
            }
            face = beyond[0] == face ? beyond[1] : beyond[0];
            edge = *opposite;
        }
    }

    static std::optional<MeshEdge> OppositeEdge(const CFace& quad, const MeshEdge& edge) {
        for (std::size_t k = 0; k < 4; ++k) {
            if (Edge(quad.indices[k], quad.indices[(k + 1) % 4]) == edge) {
                return Edge(quad.indices[(k + 2) % 4], quad.indices[(k + 3) % 4]);
            }
        }
        return std::nullopt;
    }

    // The triangles and quads that own `edge`, each once.
    bool SurfacesAt(const MeshEdge& edge, std::vector<int>& faces) {
        faces.clear();
        const FanEdge* found = nullptr;
        if (!EdgeAt(edge.a, edge.b, fan_, found)) {
            return false;
        }
        if (!found) {
            return true;
        }
        for (const EdgeOwner& owner : found->owners) {
            if (IsSurface(model_.faces[static_cast<std::size_t>(owner.face)]) &&
                std::find(faces.begin(), faces.end(), owner.face) == faces.end()) {
                faces.push_back(owner.face);
            }
        }
        return true;
    }

    // The edge from a to b in a's fan (null when there is none).
    bool EdgeAt(int a, int b, Fan& fan, const FanEdge*& found) {
        if (!FanOf(a, fan)) {
            return false;
        }
        const auto it =
            std::find_if(fan.begin(), fan.end(), [b](const FanEdge& e) { return e.other == b; });
        found = it == fan.end() ? nullptr : &*it;
        return true;
    }

    // The edges of the visible faces at `vertex`.
    bool FanOf(int vertex, Fan& fan) const {
        fan.clear();
        if (!VertexFaceListIsConsistent(model_, vertex)) {
            return false;
        }
        int last = -1;
        for (int face : model_.vertexInfo[static_cast<std::size_t>(vertex)].faces) {
            const CFace& f = model_.faces[static_cast<std::size_t>(face)];
            if (face == last || f.hidden) {
                continue;
            }
            last = face;
            const std::size_t n = f.indices.size();
            if (EdgeCount(n) == 0) {
                continue;
            }
            for (std::size_t k = 0; k < n; ++k) {
                if (f.indices[k] != vertex) {
                    continue;
                }
                if (n == 2) {
                    Add(fan, vertex, f.indices[1 - k], {face, 0}, false);
                    continue;
                }
                const std::size_t previous = (k + n - 1) % n;
                Add(fan, vertex, f.indices[(k + 1) % n], {face, static_cast<int>(k)}, true);
                Add(fan, vertex, f.indices[previous], {face, static_cast<int>(previous)}, true);
            }
        }
        return true;
    }

    static void Add(Fan& fan, int vertex, int other, const EdgeOwner& owner, bool surface) {
        if (other == vertex) {
            return;
        }
        auto it = std::find_if(fan.begin(), fan.end(),
                               [other](const FanEdge& e) { return e.other == other; });
        if (it == fan.end()) {
            fan.emplace_back();
            fan.back().other = other;
            it = fan.end() - 1;
        }
        if (std::find(it->owners.begin(), it->owners.end(), owner) == it->owners.end()) {
            it->owners.push_back(owner);
            it->surfaces += surface ? 1 : 0;
        }
    }

    const CModel& model_;
    Fan fan_;
    std::unordered_set<std::uint64_t> seen_;
    std::unordered_set<int> crossed_;
};

enum class EdgePath { Loop, Ring };

// The edge `corner` of visible face `face`, if the model has it.
std::optional<MeshEdge> NamedEdge(const CModel& model, int face, int corner) {
    if (face < 0 || static_cast<std::size_t>(face) >= model.faces.size()) {
        return std::nullopt;
    }
    const CFace& f = model.faces[static_cast<std::size_t>(face)];
    const std::size_t n = f.indices.size();
    if (f.hidden || corner < 0 || static_cast<std::size_t>(corner) >= EdgeCount(n)) {
        return std::nullopt;
    }
    const auto k = static_cast<std::size_t>(corner);
    return Edge(f.indices[k], f.indices[(k + 1) % n]);
}

// The path through each seed edge not already on an earlier one, and the face
// edges along them all.
struct Paths {
    std::vector<std::vector<MeshEdge>> paths;
    std::vector<EdgeOwner> owners;
};

Paths PathsThrough(CModel& model, EdgePath kind, const std::vector<EdgeOwner>& seeds) {
    Paths found;
    WithVertexFaces(model, [&] {
        found = {};
        EdgeWalker walker(model);
        std::unordered_set<std::uint64_t> taken;
        std::vector<MeshEdge> path;
        for (const EdgeOwner& seed : seeds) {
            const std::optional<MeshEdge> start = NamedEdge(model, seed.face, seed.edge);
            if (!start || taken.count(Key(*start)) != 0) {
                continue;
            }
            const bool fresh = kind == EdgePath::Loop ? walker.Loop(*start, path)
                                                      : walker.Ring(seed.face, *start, path);
            if (!fresh || !walker.OwnersOf(path, found.owners)) {
                return false;
            }
            for (const MeshEdge& e : path) {
                taken.insert(Key(e));
            }
            found.paths.push_back(path);
        }
        return true;
    });
    return found;
}

void Select(const CModel& model, ObjectSelection& selection, const std::vector<EdgeOwner>& owners,
            const SelectableKinds& kinds) {
    for (const EdgeOwner& owner : owners) {
        const auto face = static_cast<std::size_t>(owner.face);
        selection.SetEdge(face, static_cast<std::size_t>(owner.edge), true);
        if (kinds.vertices) {
            const CFace& f = model.faces[face];
            const auto k = static_cast<std::size_t>(owner.edge);
            selection.SetVertex(static_cast<std::size_t>(f.indices[k]), true);
            selection.SetVertex(static_cast<std::size_t>(f.indices[(k + 1) % f.indices.size()]),
                                true);
        }
    }
}

std::vector<MeshEdge> PathOf(CModel& model, EdgePath kind, int face, int corner) {
    Paths found = PathsThrough(model, kind, {{face, corner}});
    return found.paths.empty() ? std::vector<MeshEdge>{} : std::move(found.paths.front());
}

bool SelectPath(CCentigrade& scene, EdgePath kind, const ObjectEdgeRef& edge,
                SelectionUpdate update) {
    if (edge.object < 0 || static_cast<std::size_t>(edge.object) >= scene.models.size()) {
        return false;
    }
    CModel& model = scene.models[static_cast<std::size_t>(edge.object)];
    if (!model.IsEditable() || !NamedEdge(model, edge.face, edge.corner)) {
        return false;
    }
    const Paths found = PathsThrough(model, kind, {{edge.face, edge.corner}});
    SceneSelection selection(scene);
    if (update == SelectionUpdate::Replace) {
        selection.ClearAll();
    }
    Select(model, selection.Of(static_cast<std::size_t>(edge.object)), found.owners,
           selection.Kinds());
    selection.Finish();
    return true;
}

void SelectPathsOfSelection(CCentigrade& scene, EdgePath kind, SelectionUpdate update) {
    std::vector<std::vector<EdgeOwner>> owners(scene.models.size());
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        CModel& model = scene.models[i];
        if (!model.IsEditable()) {
            continue;
        }
        std::vector<EdgeOwner> seeds;
        for (std::size_t r = 0; r < model.faces.size(); ++r) {
            const CFace& f = model.faces[r];
            for (std::size_t k = 0; !f.hidden && k < f.edgeSelected.size(); ++k) {
                if (f.edgeSelected[k]) {
                    seeds.push_back({static_cast<int>(r), static_cast<int>(k)});
                }
            }
        }
        if (!seeds.empty()) {
            owners[i] = PathsThrough(model, kind, seeds).owners;
        }
    }
    SceneSelection selection(scene);
    if (update == SelectionUpdate::Replace) {
        selection.ClearAll();
    }
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        if (!owners[i].empty()) {
            Select(scene.models[i], selection.Of(i), owners[i], selection.Kinds());
        }
    }
    selection.Finish();
}

}  // namespace

std::vector<MeshEdge> EdgeLoopOf(CModel& model, int face, int corner) {
    return PathOf(model, EdgePath::Loop, face, corner);
}

std::vector<MeshEdge> EdgeRingOf(CModel& model, int face, int corner) {
    return PathOf(model, EdgePath::Ring, face, corner);
}

bool SelectEdgeLoop(CCentigrade& scene, const ObjectEdgeRef& edge, SelectionUpdate update) {
    return SelectPath(scene, EdgePath::Loop, edge, update);
}

bool SelectEdgeRing(CCentigrade& scene, const ObjectEdgeRef& edge, SelectionUpdate update) {
    return SelectPath(scene, EdgePath::Ring, edge, update);
}

void SelectEdgeLoops(CCentigrade& scene, SelectionUpdate update) {
    SelectPathsOfSelection(scene, EdgePath::Loop, update);
}

void SelectEdgeRings(CCentigrade& scene, SelectionUpdate update) {
    SelectPathsOfSelection(scene, EdgePath::Ring, update);
}
