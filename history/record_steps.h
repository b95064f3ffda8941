// Steps for the edits of the material and object forms and for additions of
// whole objects and materials (a Metasequoia import, a paste).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

#include "history/edit_history.h"
#include "scene/centigrade.h"

// The fields of an object its form edits; the geometry is not among them.
struct ObjectFields {
    std::string name;
    int mirrorAxis = 0;
    float facet = 0;
    int state = 0;

    static ObjectFields Of(const CModel& model);
};

// Whether the two records are the same to the bit, picture and GL colours included.
bool SameMaterial(const CMaterial& a, const CMaterial& b);

// One committed field of the material form: `before` is the record as it was
// before the commit, the scene holds it after. No step when nothing differs.
// Returns whether a step was added.
bool RecordMaterialChange(EditHistory& history, const CCentigrade& scene, std::size_t material,
                          const CMaterial& before);
// One committed field of the object form, likewise.
bool RecordObjectChange(EditHistory& history, const CCentigrade& scene, std::size_t object,
                        const ObjectFields& before);

// Copies material `material`, runs edit(material record), records the change.
template <typename Edit>
bool RecordMaterialEdit(EditHistory& history, CCentigrade& scene, std::size_t material, Edit edit) {
    if (material >= scene.materials.size()) {
        return false;
    }
    const CMaterial before = scene.materials[material];
    edit(scene.materials[material]);
    return RecordMaterialChange(history, scene, material, before);
}

template <typename Edit>
bool RecordObjectEdit(EditHistory& history, CCentigrade& scene, std::size_t object, Edit edit) {
    if (object >= scene.models.size()) {
        return false;
    }
    const ObjectFields before = ObjectFields::Of(scene.models[object]);
    edit(scene.models[object]);
    return RecordObjectChange(history, scene, object, before);
}

// What the scene held before objects and materials were appended to it.
struct AppendMark {
    std::size_t models = 0;
    std::size_t materials = 0;
    int modelSerial = 0;
    int materialSerial = 0;
    int currentModel = 0;
    int currentMaterial = 0;

    static AppendMark Of(const CCentigrade& scene);
};

// Sets the serial counters of `mark` back, and the current object and
// material only where `mark` and `other` differ: outside the history the
// lists choose them freely.
void RestoreAppendMark(CCentigrade& scene, const AppendMark& mark, const AppendMark& other);

// Records what was appended since `before` (objects, materials, the serial
// counters) as one step named `name`; no step when nothing was. Undo removes
// exactly that. Returns whether a step was added.
bool RecordAppend(EditHistory& history, const CCentigrade& scene, const AppendMark& before,
                  std::string_view name);

// Runs edit() (an import, say), then records what it appended, also when it
// throws: a damaged document keeps what was read before the damage.
template <typename Edit>
auto RecordAppending(EditHistory& history, CCentigrade& scene, std::string_view name, Edit edit) {
    const AppendMark before = AppendMark::Of(scene);
    try {
        if constexpr (std::is_void_v<decltype(edit())>) {
            edit();
            RecordAppend(history, scene, before, name);
        } else {
            auto result = edit();
            RecordAppend(history, scene, before, name);
            return result;
        }
    } catch (...) {
        RecordAppend(history, scene, before, name);
        throw;
    }
}
