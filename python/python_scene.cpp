#include "python/python_scene.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "exchange/document_formats.h"
#include "python/geometry_arrays.h"
#include "scene/cp932.h"

CModel& PythonScene::Model(std::size_t index) {
    if (index >= Records().models.size()) {
        throw std::out_of_range("object " + std::to_string(index) + " no longer exists");
    }
    return Records().models[index];
}

CMaterial& PythonScene::Material(std::size_t index) {
    if (index >= Records().materials.size()) {
        throw std::out_of_range("material " + std::to_string(index) + " no longer exists");
    }
    return Records().materials[index];
}

void PythonScene::SettleViews() {
    const std::vector<std::size_t> written = views_.TakeWritten();
    for (std::size_t i = 0; i < written.size(); ++i) {
        const std::size_t m = written[i];
        if (m >= Records().models.size()) {
            continue;
        }
        CModel& model = Records().models[m];
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
    for (CModel& model : Records().models) {
        model.UpdateNormals(Records().smooth);
    }
}

CommandOutcome PythonScene::Run(std::string_view id, const Values& values) {
    SettleViews();
    // Opens leave the normals to the first that needs them; a command finds
    // them current, as in the window.
    UpdateNormals();
    // A command may free an array a view points into: the views keep the
    // original and the command works on a copy, given back when it was kept.
    struct SetAside {
        std::size_t model;
        int id;
        const CVector* copy;
        std::shared_ptr<LargeArray<CVector>> original;
    };
    std::vector<SetAside> aside;
    auto& models = Records().models;
    for (std::size_t m : views_.Viewed()) {
        if (m >= models.size()) {
            continue;
        }
        LargeArray<CVector>& vertices = models[m].vertices;
        std::shared_ptr<LargeArray<CVector>> original = views_.Detach(m, vertices);
        vertices.assign(original->begin(), original->end());
        aside.push_back({m, models[m].id, vertices.data(), std::move(original)});
    }
    const auto giveBack = [&] {
        for (const SetAside& a : aside) {
            if (a.model < models.size() && models[a.model].id == a.id &&
                models[a.model].vertices.data() == a.copy &&
                models[a.model].vertices.size() == a.original->size()) {
                views_.Reattach(a.model, a.original, models[a.model].vertices);
            }
        }
    };
    CommandOutcome outcome;
    try {
        outcome = session_.Run(id, values);
    } catch (...) {
        giveBack();
        throw;
    }
    giveBack();
    return outcome;
}

void PythonScene::Edited(CModel& model, ObjectEdit edit) {
    session_.SetModified(true);
    switch (edit) {
        case ObjectEdit::Positions:
            model.TouchPositions();
            break;
        case ObjectEdit::Selection:
            model.TouchSelection();
            break;
        case ObjectEdit::Geometry:
            session_.History().Clear();
            model.Touch();
            break;
        case ObjectEdit::Fields:
            model.Touch();
            break;
    }
}

void PythonScene::Edited(CMaterial& material) {
    session_.SetModified(true);
    material.UpdateColors();
}

void PythonScene::Saved(const std::filesystem::path& path) {
    const DocumentFormat* format = FindDocumentFormat(path);
    if (format && format->reader == FormatReader::Native) {
        session_.SetModified(false);
        session_.History().SetClean();
    }
}
