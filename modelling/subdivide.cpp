#include "modelling/subdivide.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "edit/gizmo.h"
#include "modelling/mesh_parts.h"
#include "modelling/object_edit.h"
#include "modelling/vertex_face_index.h"
#include "scene/centigrade.h"
#include "scene/face_rules.h"

namespace {

constexpr int kNoMidpoint = -1;

// Where the corners of a piece come from: corner k of the face, the
// midpoint of its edge k, or its centre.
constexpr int Corner(int k) {
    return k;
}
constexpr int kFirstMid = 16;
constexpr int Mid(int k) {
    return kFirstMid + k;
}
constexpr int kCentre = 64;

// A new vertex: the midpoint of a and b, or (a < 0) the centre of face -1 - a.
struct Recipe {
    int a;
    int b;
};

// The new vertices every cut edge and every selected quad get, numbered in
// face order after the old ones.
struct Cuts {
    std::vector<int> midpoint;  // 4 per face: the vertex on edge k, or kNoMidpoint
    std::vector<int> centre;    // per face
    std::vector<Recipe> recipes;

    int Mask(std::size_t face, std::size_t corners) const {
        int mask = 0;
        const std::size_t edges = EdgeCount(corners);
        for (std::size_t k = 0; k < edges; ++k) {
            mask |= midpoint[4 * face + k] != kNoMidpoint ? 1 << k : 0;
        }
        return mask;
    }
};

Cuts PlanCuts(const CModel& model) {
    Cuts cuts;
    cuts.midpoint.assign(4 * model.faces.size(), kNoMidpoint);
    cuts.centre.assign(model.faces.size(), kNoMidpoint);
    const VertexFaceIndex index(model);
    auto next = static_cast<int>(model.vertices.size());
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        const CFace& face = model.faces[f];
        if (!face.selected || !HasValidCornerCount(face.indices.size())) {
            continue;
        }
        const std::size_t n = face.indices.size();
        for (std::size_t k = 0; k < EdgeCount(n); ++k) {
            if (cuts.midpoint[4 * f + k] != kNoMidpoint) {
                continue;
            }
            const int a = face.indices[k];
            const int b = face.indices[k + 1 == n ? 0 : k + 1];
            index.ForEachEdgeUse(
                a, b, [&](std::uint32_t g, std::size_t e) { cuts.midpoint[4 * g + e] = next; });
            cuts.recipes.push_back({a, b});
            ++next;
        }
        if (n == 4) {
            cuts.centre[f] = next++;
            cuts.recipes.push_back({-1 - static_cast<int>(f), 0});
        }
    }
    return cuts;
}

bool Cut(int mask, int k) {
    return (mask >> (k & 3) & 1) != 0;
}

// The first edge k for which `wanted(k)` holds.
template <typename Wanted>
int FirstEdge(int edges, Wanted wanted) {
    for (int k = 0; k < edges; ++k) {
        if (wanted(k)) {
            return k;
        }
    }
    return 0;
}

// The pieces of one face, added to `out` (nullptr: only counted).
class Pieces {
public:
    Pieces(const CFace& face, std::size_t f, const Cuts& cuts, LargeArray<CFace>* out)
        : face_(face), f_(f), cuts_(cuts), out_(out), n_(static_cast<int>(face.indices.size())) {}

    std::size_t Emit() {
        const int mask = cuts_.Mask(f_, face_.indices.size());
        if (!HasValidCornerCount(face_.indices.size())) {
            Keep();
        } else if (face_.selected) {
            Whole(true);
        } else if (n_ == 2) {
            Line(mask);
        } else if (n_ == 3) {
            Triangle(mask);
        } else {
            Quad(mask);
        }
        return count_;
    }

private:
    // Every edge cut: the selected face's pattern, or for an unselected quad
    // four corner triangles around a middle quad (no centre vertex).
    void Whole(bool selected) {
        if (n_ == 2) {
            Add({Corner(0), Mid(0)}, selected);
            Add({Mid(0), Corner(1)}, selected);
        } else if (n_ == 3) {
            for (int k = 0; k < 3; ++k) {
                Add({Corner(k), Mid(k), Mid(k + 2)}, selected);
            }
            Add({Mid(0), Mid(1), Mid(2)}, selected);
        } else if (selected) {
            for (int k = 0; k < 4; ++k) {
                Add({Corner(k), Mid(k), kCentre, Mid(k + 3)}, true);
            }
        } else {
            for (int k = 0; k < 4; ++k) {
                Add({Mid(k + 3), Corner(k), Mid(k)});
            }
            Add({Mid(0), Mid(1), Mid(2), Mid(3)});
        }
    }

    void Line(int mask) {
        if (mask == 0) {
            Keep();
        } else {
            Whole(false);
        }
    }

    void Triangle(int mask) {
        const int cuts = (mask & 1) + (mask >> 1 & 1) + (mask >> 2 & 1);
        if (cuts == 0) {
            Keep();
        } else if (cuts == 1) {
            const int k = FirstEdge(3, [mask](int e) { return Cut(mask, e); });
            Add({Corner(k), Mid(k), Corner(k + 2)});
            Add({Mid(k), Corner(k + 1), Corner(k + 2)});
        } else if (cuts == 2) {
            // k: the cut edge after the one left whole.
            const int k = (FirstEdge(3, [mask](int e) { return !Cut(mask, e); }) + 1) % 3;
            Add({Mid(k), Corner(k + 1), Mid(k + 1)});
            Add({Corner(k), Mid(k), Mid(k + 1), Corner(k + 2)});
        } else {
            Whole(false);
        }
    }

    void Quad(int mask) {
        const int cuts = (mask & 1) + (mask >> 1 & 1) + (mask >> 2 & 1) + (mask >> 3 & 1);
        if (cuts == 0) {
            Keep();
        } else if (cuts == 1) {
            const int k = FirstEdge(4, [mask](int e) { return Cut(mask, e); });
            Add({Corner(k), Mid(k), Corner(k + 2), Corner(k + 3)});
            Add({Mid(k), Corner(k + 1), Corner(k + 2)});
        } else if (cuts == 2 && Cut(mask, 0) == Cut(mask, 2)) {
            const int k = Cut(mask, 0) ? 0 : 1;  // opposite edges k and k + 2
            Add({Corner(k), Mid(k), Mid(k + 2), Corner(k + 3)});
            Add({Mid(k), Corner(k + 1), Corner(k + 2), Mid(k + 2)});
        } else if (cuts == 2) {
            const int k = FirstEdge(4, [mask](int e) { return Cut(mask, e) && Cut(mask, e + 1); });
            Add({Mid(k), Corner(k + 1), Mid(k + 1)});
            Add({Corner(k), Mid(k), Mid(k + 1), Corner(k + 3)});
            Add({Mid(k + 1), Corner(k + 2), Corner(k + 3)});
        } else if (cuts == 3) {
            const int k = (FirstEdge(4, [mask](int e) { return !Cut(mask, e); }) + 1) % 4;
            Add({Mid(k), Corner(k + 1), Mid(k + 1)});
            Add({Mid(k + 1), Corner(k + 2), Mid(k + 2)});
            Add({Mid(k), Mid(k + 1), Mid(k + 2)});
            Add({Corner(k), Mid(k), Mid(k + 2), Corner(k + 3)});
        } else {
            Whole(false);
        }
    }

    void Keep() {
        ++count_;
        if (out_) {
            out_->push_back(face_);
        }
    }

    // A piece whose corners come from `sources` (corner, midpoint or centre
    // numbers, taken modulo the face's corners).
    void Add(std::initializer_list<int> sources, bool selected = false) {
        ++count_;
        if (!out_) {
            return;
        }
        int corners[4];
        CUV uvs[4];
        std::size_t i = 0;
        const bool withUvs = face_.uvs.size() == face_.indices.size();
        for (int source : sources) {
            if (source == kCentre) {
                corners[i] = cuts_.centre[f_];
                if (withUvs) {
                    const CUV& a = face_.uvs[0];
                    const CUV& b = face_.uvs[1];
                    const CUV& c = face_.uvs[2];
                    const CUV& d = face_.uvs[3];
                    uvs[i] = CUV{((a.u + b.u) + (c.u + d.u)) * 0.25f,
                                 ((a.v + b.v) + (c.v + d.v)) * 0.25f};
                }
            } else if (source >= kFirstMid) {
                const auto k = static_cast<std::size_t>((source - kFirstMid) % n_);
                corners[i] = cuts_.midpoint[4 * f_ + k];
                if (withUvs) {
                    uvs[i] = MidUv(face_.uvs[k], face_.uvs[(k + 1) % static_cast<std::size_t>(n_)]);
                }
            } else {
                const auto k = static_cast<std::size_t>(source % n_);
                corners[i] = face_.indices[k];
                if (withUvs) {
                    uvs[i] = face_.uvs[k];
                }
            }
            ++i;
        }
        CFace piece = MakeFace(std::span<const int>(corners, i), face_.material,
                               withUvs ? std::span<const CUV>(uvs, i) : std::span<const CUV>());
        if (selected) {
            SelectWhole(piece);
        }
        out_->push_back(std::move(piece));
    }

    const CFace& face_;
    std::size_t f_;
    const Cuts& cuts_;
    LargeArray<CFace>* out_;
    int n_;
    std::size_t count_ = 0;
};

CVector MadeVertex(const LargeArray<CVector>& old, const LargeArray<CFace>& faces,
                   const Recipe& recipe) {
    if (recipe.a >= 0) {
        return Midpoint(old[static_cast<std::size_t>(recipe.a)],
                        old[static_cast<std::size_t>(recipe.b)]);
    }
    const CFace& face = faces[static_cast<std::size_t>(-1 - recipe.a)];
    const auto at = [&](std::size_t k) -> const CVector& {
        return old[static_cast<std::size_t>(face.indices[k])];
    };
    return Times(Plus(Plus(at(0), at(1)), Plus(at(2), at(3))), 0.25f);
}

}  // namespace

ModellingResult SubdivideFaces(CCentigrade& scene, PriorState* prior) {
    const Target target = CurrentObjectWithSelectedFaces(scene);
    if (target.refusal != ModellingRefusal::None) {
        return ModellingResult::Refuse(target.refusal);
    }
    CModel& model = scene.models[target.object];
    const Cuts cuts = PlanCuts(model);
    std::size_t faceCount = 0;
    ModellingResult result;
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        faceCount += Pieces(model.faces[f], f, cuts, nullptr).Emit();
        result.acted += model.faces[f].selected ? 1 : 0;
    }
    if (model.vertices.size() + cuts.recipes.size() > kMaximumElements ||
        faceCount > kMaximumElements) {
        return ModellingResult::Refuse(ModellingRefusal::ResultTooLarge);
    }
    LargeArray<CVector> vertices;
    vertices.reserve(model.vertices.size() + cuts.recipes.size());
    vertices.assign(model.vertices.begin(), model.vertices.end());
    for (const Recipe& recipe : cuts.recipes) {
        vertices.push_back(MadeVertex(model.vertices, model.faces, recipe));
    }
    LargeArray<CFace> faces;
    faces.reserve(faceCount);
    for (std::size_t f = 0; f < model.faces.size(); ++f) {
        Pieces(model.faces[f], f, cuts, &faces).Emit();
    }
    ReplaceArrays(model, target.object, std::move(vertices), std::move(faces), prior);
    FinishReshape(model, target.object, result);
    PlaceGizmo(scene);
    return result;
}
