#include "history/record_steps.h"

#include <bit>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "history/list_tail.h"
#include "history/record_bytes.h"
#include "history/step_names.h"

namespace {

bool SameBits(float a, float b) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
}

bool SameBits(const float (&a)[4], const float (&b)[4]) {
    for (int i = 0; i < 4; ++i) {
        if (!SameBits(a[i], b[i])) {
            return false;
        }
    }
    return true;
}

bool SameFields(const ObjectFields& a, const ObjectFields& b) {
    return a.name == b.name && a.mirrorAxis == b.mirrorAxis && SameBits(a.facet, b.facet) &&
           a.state == b.state;
}

class MaterialStep : public UndoStep {
public:
    MaterialStep(std::size_t index, CMaterial before, CMaterial after)
        : UndoStep(std::string(step_name::kMaterialEdit)),
          index_(index),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void Undo(CCentigrade& scene, SceneChange& change) override { Put(scene, before_, change); }
    void Redo(CCentigrade& scene, SceneChange& change) override { Put(scene, after_, change); }
    std::size_t Bytes() const override {
        return sizeof(*this) + NameBytes() + HeapBytes(before_) + HeapBytes(after_);
    }

private:
    void Put(CCentigrade& scene, const CMaterial& record, SceneChange& change) const {
        if (index_ < scene.materials.size()) {
            scene.materials[index_] = record;
            change.materialList = true;
        }
    }

    std::size_t index_;
    CMaterial before_;
    CMaterial after_;
};

class ObjectStep : public UndoStep {
public:
    ObjectStep(std::size_t index, ObjectFields before, ObjectFields after)
        : UndoStep(std::string(step_name::kObjectEdit)),
          index_(index),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void Undo(CCentigrade& scene, SceneChange& change) override {
        Put(scene, before_, after_, change);
    }
    void Redo(CCentigrade& scene, SceneChange& change) override {
        Put(scene, after_, before_, change);
    }
    std::size_t Bytes() const override {
        return sizeof(*this) + NameBytes() + before_.name.capacity() + after_.name.capacity();
    }

private:
    // Only the fields the edit changed are set back: the lock and visibility
    // icons change the state outside the history. Only the smoothing angle
    // and the state change what is drawn.
    void Put(CCentigrade& scene, const ObjectFields& fields, const ObjectFields& other,
             SceneChange& change) const {
        if (index_ >= scene.models.size()) {
            return;
        }
        CModel& model = scene.models[index_];
        const bool smoothing = !SameBits(fields.facet, other.facet);
        const bool state = fields.state != other.state;
        if (fields.name != other.name) {
            model.name = fields.name;
        }
        if (fields.mirrorAxis != other.mirrorAxis) {
            model.mirrorAxis = fields.mirrorAxis;
        }
        if (smoothing) {
            model.facet = fields.facet;
            change.Reshaped(index_);
        }
        if (state) {
            model.state = fields.state;
        }
        if (smoothing || state) {
            model.Touch();
        }
        change.objectList = true;
    }

    std::size_t index_;
    ObjectFields before_;
    ObjectFields after_;
};

// The appended records live in the scene while the step is done and in the
// step while it is undone.
class AppendStep : public UndoStep {
public:
    AppendStep(std::string_view name, const AppendMark& before, const AppendMark& after)
        : UndoStep(std::string(name)), before_(before), after_(after) {}

    void Undo(CCentigrade& scene, SceneChange& change) override {
        MoveTail(scene.models, before_.models, models_);
        MoveTail(scene.materials, before_.materials, materials_);
        RestoreAppendMark(scene, before_, after_);
        change.objectList = true;
        change.materialList = true;
    }

    void Redo(CCentigrade& scene, SceneChange& change) override {
        for (std::size_t m = 0; m < models_.size(); ++m) {
            change.Reshaped(scene.models.size() + m);
        }
        MoveAll(models_, scene.models);
        MoveAll(materials_, scene.materials);
        RestoreAppendMark(scene, after_, before_);
        change.objectList = true;
        change.materialList = true;
    }

    std::size_t Bytes() const override {
        std::size_t bytes = sizeof(*this) + NameBytes() + models_.capacity() * sizeof(CModel) +
                            materials_.capacity() * sizeof(CMaterial);
        for (const CModel& m : models_) {
            bytes += HeapBytes(m);
        }
        for (const CMaterial& m : materials_) {
            bytes += HeapBytes(m);
        }
        return bytes;
    }

private:
    template <typename T>
    static void MoveAll(std::vector<T>& from, std::vector<T>& to) {
        to.insert(to.end(), std::make_move_iterator(from.begin()),
                  std::make_move_iterator(from.end()));
        from.clear();
        from.shrink_to_fit();
    }

    AppendMark before_;
    AppendMark after_;
    std::vector<CModel> models_;
    std::vector<CMaterial> materials_;
};

}  // namespace

ObjectFields ObjectFields::Of(const CModel& model) {
    return {model.name, model.mirrorAxis, model.facet, model.state};
}

void RestoreAppendMark(CCentigrade& scene, const AppendMark& mark, const AppendMark& other) {
    scene.modelSerial = mark.modelSerial;
    scene.materialSerial = mark.materialSerial;
    if (mark.currentModel != other.currentModel) {
        scene.currentModel = mark.currentModel;
    }
    if (mark.currentMaterial != other.currentMaterial) {
        scene.currentMaterial = mark.currentMaterial;
    }
}

AppendMark AppendMark::Of(const CCentigrade& scene) {
    return {scene.models.size(),  scene.materials.size(), scene.modelSerial,
            scene.materialSerial, scene.currentModel,     scene.currentMaterial};
}

bool SameMaterial(const CMaterial& a, const CMaterial& b) {
    return a.id == b.id && a.name == b.name && SameBits(a.red, b.red) &&
           SameBits(a.green, b.green) && SameBits(a.blue, b.blue) && SameBits(a.alpha, b.alpha) &&
           SameBits(a.diffuse, b.diffuse) && SameBits(a.ambient, b.ambient) &&
           SameBits(a.emissive, b.emissive) && SameBits(a.specular, b.specular) &&
           SameBits(a.power, b.power) && a.texture == b.texture && a.alphaPlane == b.alphaPlane &&
           a.bump == b.bump && a.image == b.image && SameBits(a.glDiffuse, b.glDiffuse) &&
           SameBits(a.glAmbient, b.glAmbient) && SameBits(a.glSpecular, b.glSpecular) &&
           SameBits(a.glEmission, b.glEmission);
}

bool RecordMaterialChange(EditHistory& history, const CCentigrade& scene, std::size_t material,
                          const CMaterial& before) {
    if (material >= scene.materials.size() || SameMaterial(before, scene.materials[material])) {
        return false;
    }
    history.Push(std::make_unique<MaterialStep>(material, before, scene.materials[material]));
    return true;
}

bool RecordObjectChange(EditHistory& history, const CCentigrade& scene, std::size_t object,
                        const ObjectFields& before) {
    if (object >= scene.models.size()) {
        return false;
    }
    ObjectFields after = ObjectFields::Of(scene.models[object]);
    if (SameFields(before, after)) {
        return false;
    }
    history.Push(std::make_unique<ObjectStep>(object, before, std::move(after)));
    return true;
}

bool RecordAppend(EditHistory& history, const CCentigrade& scene, const AppendMark& before,
                  std::string_view name) {
    const AppendMark after = AppendMark::Of(scene);
    if (after.models == before.models && after.materials == before.materials &&
        after.modelSerial == before.modelSerial && after.materialSerial == before.materialSerial &&
        after.currentModel == before.currentModel &&
        after.currentMaterial == before.currentMaterial) {
        return false;
    }
    history.Push(std::make_unique<AppendStep>(name, before, after));
    return true;
}
