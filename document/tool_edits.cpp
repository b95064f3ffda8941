#include "document/tool_edits.h"

#include "commands/transform_edits.h"
#include "document/quorvel_document.h"
#include "history/step_names.h"

namespace {

// Runs the typed transform as one step named after the current tool.
template <typename Edit>
bool RecordTyped(CQuorvelDoc& doc, Edit edit) {
    CCentigrade& scene = doc.Scene();
    const SceneLedger before(scene);
    bool applied = true;
    RecordTypedTransform(doc.History(), scene, TransformStepName(scene.toolMode),
                         [&] { applied = edit(); });
    if (applied) {
        doc.Changed(before, true);
    }
    return applied;
}

// Applies `typed` unless `value` changes nothing: a box that loses the focus
// unedited re-applies its reset text ("0", "1"), which must not mark the
// document modified.
void ApplyUnlessNeutral(CQuorvelDoc& doc, Axis axis, float value, float neutral,
                        void (*typed)(CCentigrade&, Axis, float)) {
    if (value == neutral) {
        return;
    }
    RecordTyped(doc, [&] {
        typed(doc.Scene(), axis, value);
        return true;
    });
}

}  // namespace

void ApplyRelativeMove(CQuorvelDoc& doc, Axis axis, float value) {
    ApplyUnlessNeutral(doc, axis, value, 0.0f, TypedRelativeMove);
}

bool ApplyAbsoluteMove(CQuorvelDoc& doc, Axis axis, std::string_view text) {
    return RecordTyped(doc, [&] { return TypedAbsoluteMove(doc.Scene(), axis, text); });
}

void ApplyRotation(CQuorvelDoc& doc, Axis axis, float degrees) {
    ApplyUnlessNeutral(doc, axis, degrees, 0.0f, TypedRotation);
}

// A factor not greater than 0 is typed as 1.
void ApplyScale(CQuorvelDoc& doc, Axis axis, float value) {
    ApplyUnlessNeutral(doc, axis, TypedScaleFactor(value), 1.0f, TypedScale);
}

void ApplyCentre(CQuorvelDoc& doc, Axis axis, float value) {
    const SceneLedger before(doc.Scene());
    TypedCentre(doc.Scene(), axis, value);
    doc.Changed(before, false);
}
