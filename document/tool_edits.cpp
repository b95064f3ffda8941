#include "document/tool_edits.h"

#include "document/quorvel_document.h"

namespace {

void GeometryChanged(CQuorvelDoc& doc) {
    doc.Scene().ComputeAllNormals();
    doc.SetModifiedFlag(true);
    doc.RequestRedraw();
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
    TypedRelativeMove(doc.Scene(), axis, value);
    GeometryChanged(doc);
}

bool ApplyAbsoluteMove(CQuorvelDoc& doc, Axis axis, std::string_view text) {
    if (!TypedAbsoluteMove(doc.Scene(), axis, text)) {
        return false;
    }
    GeometryChanged(doc);
    return true;
}

void ApplyRotation(CQuorvelDoc& doc, Axis axis, float degrees) {
    if (degrees == 0.0f) {
        return;
    }
    TypedRotation(doc.Scene(), axis, degrees);
    GeometryChanged(doc);
}

void ApplyScale(CQuorvelDoc& doc, Axis axis, float value) {
    if (TypedScaleFactor(value) == 1.0f) {
        return;
    }
    TypedScale(doc.Scene(), axis, value);
    GeometryChanged(doc);
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
