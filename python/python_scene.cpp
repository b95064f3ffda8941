#include "python/python_scene.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "python/geometry_arrays.h"
#include "scene/cp932.h"

CModel& PythonScene::Model(std::size_t index) {
    if (index >= scene_.models.size()) {
        throw std::out_of_range("object " + std::to_string(index) + " no longer exists");
    }
    return scene_.models[index];
}

CMaterial& PythonScene::Material(std::size_t index) {
    if (index >= scene_.materials.size()) {
        throw std::out_of_range("material " + std::to_string(index) + " no longer exists");
    }
    return scene_.materials[index];
}

void PythonScene::SettleViews() {
    const std::vector<std::size_t> written = views_.TakeWritten();
    for (std::size_t i = 0; i < written.size(); ++i) {
        const std::size_t m = written[i];
        if (m >= scene_.models.size()) {
            continue;
        }
        CModel& model = scene_.models[m];
        model.TouchPositions();
        const std::size_t bad = FirstNonFiniteVertex(model);
        if (bad < model.vertices.size()) {
            // Still to be settled, until the views mend them.
            for (std::size_t j = i; j < written.size(); ++j) {
                views_.MarkWritten(written[j]);
            }
            throw std::invalid_argument(
                "object " + std::to_string(m) + " (\"" + Cp932ToUtf8(model.name) + "\"), vertex " +
                std::to_string(bad) + ": coordinates must be finite numbers");
        }
    }
}

void PythonScene::UpdateNormals() {
    for (CModel& model : scene_.models) {
        model.UpdateNormals(scene_.smooth);
    }
}

void PythonScene::Edited(CModel& model, ObjectEdit edit) {
    switch (edit) {
        case ObjectEdit::Positions:
            model.TouchPositions();
            break;
        case ObjectEdit::Selection:
            model.TouchSelection();
            break;
        case ObjectEdit::Geometry:
        case ObjectEdit::Fields:
            model.Touch();
            break;
    }
}

void PythonScene::Edited(CMaterial& material) {
    material.UpdateColors();
}
