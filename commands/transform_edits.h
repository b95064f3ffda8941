// Typed transforms of the affected vertices as steps of the history: the
// values of the move, rotate and scale forms and of scripts. They do not move
// the manipulator; the normals of the objects they reshape follow at once.
#pragma once

#include <string_view>

#include "history/edit_history.h"
#include "scene/centigrade.h"

// Runs edit() as one transform step named `name` and brings the normals of
// the moved objects up to date. Returns whether any vertex moved.
template <typename Edit>
bool RecordTypedTransform(EditHistory& history, CCentigrade& scene, std::string_view name,
                          Edit edit) {
    const bool moved = history.RecordTransform(scene, name, edit);
    if (moved) {
        for (CModel& model : scene.models) {
            model.UpdateNormals(scene.smooth);
        }
    }
    return moved;
}
