#include "document/tool_edits.h"

#include "document/quorvel_document.h"
#include "history/step_names.h"

namespace {

// Runs the typed transform as one step named after the current tool.
template <typename Edit>
bool RecordTyped(CQuorvelDoc& doc, Edit edit) {
    CCentigrade& scene = doc.Scene();
    bool applied = true;
    doc.History().RecordTransform(scene, TransformStepName(scene.toolMode),
                                  [&] { applied = edit(); });
    if (applied) {
        for (CModel& model : scene.models) {
            model.UpdateNormals(scene.smooth);
        }
        doc.EditRecorded();
        doc.RequestRedraw();
    }
    return applied;
}

template <typename Scene>
auto& Flag(Scene& scene, DisplayFlag flag) {
    switch (flag) {
        case DisplayFlag::Vertices:
            return scene.showVertices;
        case DisplayFlag::Edges:
            return scene.showEdges;
        case DisplayFlag::Faces:
            return scene.showFaces;
        case DisplayFlag::Axis:
            break;
    }
    return scene.showAxis;
}

}  // namespace

// A box that loses the focus unedited re-applies its reset text ("0", "1"),
// which changes nothing and must not mark the document modified.
void ApplyRelativeMove(CQuorvelDoc& doc, Axis axis, float value) {
    if (value == 0.0f) {
        return;
    }
    RecordTyped(doc, [&] {
        TypedRelativeMove(doc.Scene(), axis, value);
        return true;
    });
}

bool ApplyAbsoluteMove(CQuorvelDoc& doc, Axis axis, std::string_view text) {
    return RecordTyped(doc, [&] { return TypedAbsoluteMove(doc.Scene(), axis, text); });
}

void ApplyRotation(CQuorvelDoc& doc, Axis axis, float degrees) {
    if (degrees == 0.0f) {
        return;
    }
    RecordTyped(doc, [&] {
        TypedRotation(doc.Scene(), axis, degrees);
        return true;
    });
}

void ApplyScale(CQuorvelDoc& doc, Axis axis, float value) {
    if (TypedScaleFactor(value) == 1.0f) {
        return;
    }
    RecordTyped(doc, [&] {
        TypedScale(doc.Scene(), axis, value);
        return true;
    });
}

void ApplyCentre(CQuorvelDoc& doc, Axis axis, float value) {
    TypedCentre(doc.Scene(), axis, value);
    doc.RequestRedraw();
}

void SetSelectMode(CQuorvelDoc& doc, int mode) {
    doc.Scene().selectMode = mode;
}

bool ToggleDisplayFlag(CQuorvelDoc& doc, DisplayFlag flag) {
    bool& value = Flag(doc.Scene(), flag);
    value = !value;
    doc.RequestRedraw();
    return value;
}

bool DisplayFlagValue(const CQuorvelDoc& doc, DisplayFlag flag) {
    return Flag(doc.Scene(), flag);
}
