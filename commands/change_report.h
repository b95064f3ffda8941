// What a command changed, for the document to turn into precise signals and
// for the renderer and the panels to refresh only that. The session finds it
// by comparing what the scene held before the command with what it holds
// after (the objects' revisions, their form fields, the materials and the
// scene's settings), so a command cannot forget to say what it did.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/material.h"
#include "scene/model.h"
#include "scene/vector.h"

class CCentigrade;

// Aspects of one object that changed, as bits.
enum ObjectAspect : unsigned {
    kObjectPositions = 1u << 0,  // vertex coordinates: see `positions`
    kObjectTopology = 1u << 1,   // faces added, removed or repainted, vertices unused
    kObjectSelection = 1u << 2,  // selection flags or marks: see `selection`
    kObjectState = 1u << 3,      // visibility or lock
    kObjectName = 1u << 4,
    kObjectSettings = 1u << 5,  // smoothing angle or mirror axis
};

struct ObjectChange {
    std::size_t object = 0;  // its index after the command
    unsigned aspects = 0;
    VertexSpan positions;        // the vertices that may have moved
    SelectionChanges selection;  // the elements whose flags may differ
};

// What became of the undo history.
enum class HistoryMove { None, Recorded, Undone, Redone };

struct ChangeReport {
    // Objects present before and after, in ascending order of index.
    std::vector<ObjectChange> objects;
    // Indices after the command of the objects it added; indices before it
    // of those it removed. Both ascending.
    std::vector<std::size_t> objectsAdded;
    std::vector<std::size_t> objectsRemoved;
    // The same for materials; a changed material is any field or its picture.
    std::vector<std::size_t> materialsChanged;
    std::vector<std::size_t> materialsAdded;
    std::vector<std::size_t> materialsRemoved;

    bool currentObject = false;    // currentModel
    bool currentMaterial = false;  // currentMaterial
    bool tool = false;             // toolMode
    bool selectMode = false;
    bool selectable = false;   // which element kinds a click may select
    bool display = false;      // vertices, edges, faces, axis shown; see-through
    bool camera = false;       // camera, zoom, field of view or shading
    bool manipulator = false;  // its place or visibility
    bool clipboard = false;    // the session's clipboard text was replaced
    bool documentReplaced = false;

    HistoryMove history = HistoryMove::None;
    // The step recorded, undone or redone, as the Edit menu names it.
    std::string step;
    // The document's modified flag after the command.
    bool modified = false;

    // Whether anything the views draw or the panels show changed.
    bool Visible() const;
    // Whether the list of objects, the current object, or the name, state or
    // settings of any object changed: what an object's form shows.
    bool ObjectFieldsChanged() const;
    // The same for materials: the list, the current one or any field.
    bool MaterialFieldsChanged() const;
};

// What a command may change, noted before it runs; O(objects + materials),
// never O(vertices).
class SceneLedger {
public:
    explicit SceneLedger(const CCentigrade& scene);

    // Fills the object, material and setting parts of `report` with what differs in `after`.
    void Compare(const CCentigrade& after, ChangeReport& report) const;

private:
    struct ObjectNote {
        int id = 0;
        std::string name;
        int state = 0;
        float facet = 0;
        int mirrorAxis = 0;
        std::uint64_t positions = 0;
        std::uint64_t selection = 0;
        std::uint64_t topology = 0;
    };
    // The scene's own fields a command may set.
    struct Settings {
        int currentModel = 0;
        int currentMaterial = 0;
        int toolMode = 0;
        int selectMode = 0;
        bool selectable[3] = {};
        bool display[5] = {};
        CVector camera[3];   // position, rotation, scale
        float view[2] = {};  // zoom, field of view
        int smooth = 0;
        CVector gizmo;
        bool showGizmo = false;

        static Settings Of(const CCentigrade& scene);
    };

    std::vector<ObjectNote> objects_;
    std::vector<CMaterial> materials_;
    Settings settings_;
};
