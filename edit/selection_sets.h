// What the selection commands (select all, grow, loops, hide, ...) share: the
// element kinds they may take, which vertices and faces count as selected, and
// an editor of one object's flags that notes the span of what it changed.
//
// The commands act on editable objects and on their visible faces alone; a
// hidden face is never selected, and a vertex only hidden faces use neither.
// None of them is an undo step: the selection is not part of the document.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "scene/centigrade.h"
#include "scene/hidden_vertices.h"
#include "scene/model.h"

// The element kinds the scene's toggles (点/辺/面) let a command take.
struct SelectableKinds {
    bool vertices = false;
    bool edges = false;
    bool faces = false;
};

SelectableKinds SelectableKindsOf(const CCentigrade& scene);

// Whether a command replaces the selection or adds to it.
enum class SelectionUpdate { Replace, Add };

// What a command needs to know of each vertex, one byte of these bits per vertex.
enum VertexState : std::uint8_t {
    // Affected by the selection, what the manipulator moves: selected, or
    // marked (by UpdateGizmo, which every pick and selection command runs) as
    // a corner of a selected face or an end of a selected edge.
    kVertexAffected = 1,
    // In use and not hidden: used by no face, or by a visible one.
    kVertexSelectable = 2,
};
// `hidden` as HiddenVertices gives it.
std::vector<std::uint8_t> ClassifyVertices(const CModel& model, const std::vector<bool>& hidden);

// HiddenVertices of object `object` of the scene, kept in its pick cache
// while the object's topology stays (hiding and showing faces change it).
const std::vector<bool>& HiddenVerticesOf(const CCentigrade& scene, std::size_t object);

// A face counts as selected when its flag is set, when all its edge flags are
// (how a range pick takes it), or when every corner is a selected vertex.
bool IsFaceSelected(const CModel& model, const CFace& face);

// Sets and clears the selection flags of one object, noting the span of the
// vertices and faces it changed; Touch names them in the object's revisions.
//
// The manipulator's marks (corners of selected faces, ends of selected edges)
// cost a pass over every face to rebuild. After ClearAll or Remark the object
// keeps them itself instead: every flag set from then on marks its vertices.
class ObjectSelection {
public:
    ObjectSelection(const CCentigrade& scene, std::size_t object, CModel& model)
        : scene_(scene), object_(object), model_(model) {}

    // The object's vertices, classified.
    std::vector<std::uint8_t> ClassifyVertices() const {
        return ::ClassifyVertices(model_, HiddenVerticesOf(scene_, object_));
    }

    // Clears every selection flag and mark of the object.
    void ClearAll();
    // Clears the marks alone, for a command that then sets every face's
    // final flags, kept ones too.
    void Remark();
    // Remark, for a command that then also sets every vertex's final flag.
    void Rewrite();
    bool Remarking() const { return remarking_; }
    // After ClearAll or Rewrite the editor also knows the box of the vertices
    // it made affected (selected or marked): false when there is none or when
    // the object's flags were neither all cleared nor all rewritten.
    bool AffectedBox(CVector& min, CVector& max) const;
    bool KnowsAffectedBox() const { return boxed_; }

    void SetVertex(std::size_t vertex, bool on);
    void SetEdge(std::size_t face, std::size_t edge, bool on);
    // The face flag and the edge flags, edge k from bit k of `edges`.
    void SetFaceFlags(std::size_t face, bool selected, unsigned edges);
    // Takes a face as a click does, within `kinds`: its flag and every edge
    // flag (faces), every edge flag (edges), its corners (vertices).
    void TakeFace(std::size_t face, const SelectableKinds& kinds);

    // Names the changed spans in the object's selection revision, if any.
    void Touch();

private:
    void NoteVertex(std::size_t v) { vertices_ = vertices_.Union({v, v + 1}); }
    void NoteFace(std::size_t f) { faces_ = faces_.Union({f, f + 1}); }
    // A vertex marked before is in the box already.
    void Mark(int vertex) {
        CVector& v = model_.vertices[static_cast<std::size_t>(vertex)];
        if (!v.mark) {
            v.mark = true;
            Affect(v);
        }
    }
    // Inline: it runs for every vertex a command takes.
    void Affect(const CVector& v) {
        if (!boxed_) {
            return;
        }
        if (!affected_) {
            min_ = max_ = v;
            affected_ = true;
            return;
        }
        min_.x = std::min(min_.x, v.x);
        min_.y = std::min(min_.y, v.y);
        min_.z = std::min(min_.z, v.z);
        max_.x = std::max(max_.x, v.x);
        max_.y = std::max(max_.y, v.y);
        max_.z = std::max(max_.z, v.z);
    }

    const CCentigrade& scene_;
    std::size_t object_;
    CModel& model_;
    VertexSpan vertices_;
    FaceSpan faces_;
    bool remarking_ = false;
    bool boxed_ = false;
    bool affected_ = false;
    CVector min_;
    CVector max_;
};

// One selection command on the scene: an editor per object, and at the end
// the revisions, the marks and the manipulator brought up to date, as
// UpdateGizmo would leave them.
class SceneSelection {
public:
    explicit SceneSelection(CCentigrade& scene);

    const SelectableKinds& Kinds() const { return kinds_; }
    ObjectSelection& Of(std::size_t object);

    // Clears every object's selection (whatever its state), as a click that
    // drops the selection does.
    void ClearAll();
    // Touches what changed, rebuilds the marks of the objects whose editors
    // did not keep them, and places the manipulator.
    void Finish();

private:
    CCentigrade& scene_;
    SelectableKinds kinds_;
    std::vector<std::optional<ObjectSelection>> objects_;
};

// Runs act(model, selection, kinds) on every editable object, after clearing
// every object's selection for `Replace`, then finishes the command.
template <typename Act>
void ChangeEditableSelections(CCentigrade& scene, SelectionUpdate update, Act act) {
    SceneSelection selection(scene);
    if (update == SelectionUpdate::Replace) {
        selection.ClearAll();
    }
    for (std::size_t i = 0; i < scene.models.size(); ++i) {
        if (scene.models[i].IsEditable()) {
            act(scene.models[i], selection.Of(i), selection.Kinds());
        }
    }
    selection.Finish();
}
