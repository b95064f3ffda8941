#include "commands/session.h"

#include "commands/command_table.h"
#include "history/clipboard.h"

void CommandSession::SetClipboard(std::string text) {
    clipboard_ = std::move(text);
    clipboardHasFaces_ = IsPasteableText(clipboard_);
}

CommandState CommandSession::State() const {
    CommandState state;
    state.selected = counter_.Count(scene_);
    state.objects = scene_.models.size();
    state.materials = scene_.materials.size();
    for (const CModel& model : scene_.models) {
        state.anyEditableObject = state.anyEditableObject || model.IsEditable();
    }
    const int current = scene_.currentModel;
    state.currentObject = current >= 0 && static_cast<std::size_t>(current) < state.objects;
    state.currentObjectEditable =
        state.currentObject && scene_.models[static_cast<std::size_t>(current)].IsEditable();
    state.currentMaterial = scene_.currentMaterial >= 0 &&
                            static_cast<std::size_t>(scene_.currentMaterial) < state.materials;
    state.clipboardHasFaces = clipboardHasFaces_;
    state.canUndo = history_.CanUndo();
    state.canRedo = history_.CanRedo();
    state.undoName = history_.UndoName();
    state.redoName = history_.RedoName();
    state.toolMode = scene_.toolMode;
    state.selectMode = scene_.selectMode;
    state.vertexSelectable = scene_.vertexSelectable;
    state.edgeSelectable = scene_.edgeSelectable;
    state.faceSelectable = scene_.faceSelectable;
    state.showVertices = scene_.showVertices;
    state.showEdges = scene_.showEdges;
    state.showFaces = scene_.showFaces;
    state.showAxis = scene_.showAxis;
    state.xray = scene_.xray;
    return state;
}

CommandOutcome CommandSession::Run(std::string_view id, const Values& values) {
    CommandOutcome outcome;
    const CommandSpec* spec = CommandTable::Global().Find(id);
    if (!spec) {
        outcome.refusal = Refusal{Reason::UnknownCommand, std::string(id)};
        return outcome;
    }
    if (!spec->Headless()) {
        outcome.refusal = Refusal{Reason::NeedsWindow, std::string(id)};
        return outcome;
    }
    auto checked = CheckArguments(spec->params, values);
    if (auto* refusal = std::get_if<Refusal>(&checked)) {
        outcome.refusal = std::move(*refusal);
        return outcome;
    }
    if (const std::optional<Reason> reason = spec->Unavailable(State())) {
        outcome.refusal = Refusal{*reason, {}};
        return outcome;
    }

    const SceneLedger before(scene_);
    const std::uint64_t historyBefore = history_.Revision();
    ChangeReport& report = outcome.report;
    CommandContext context{scene_, history_, clipboard_, report, outcome.textureFailures};
    if (std::optional<Refusal> refusal =
            spec->perform(context, std::get<CommandArguments>(checked))) {
        outcome.refusal = std::move(refusal);
        outcome.report = {};
        return outcome;
    }

    before.Compare(scene_, report);
    if (report.clipboard) {
        clipboardHasFaces_ = IsPasteableText(clipboard_);
    }
    if (history_.Revision() != historyBefore) {
        switch (report.history) {
            case HistoryMove::Undone:
                report.step = history_.RedoName();
                modified_ = !history_.IsClean();
                break;
            case HistoryMove::Redone:
                report.step = history_.UndoName();
                modified_ = !history_.IsClean();
                break;
            default:
                report.history = HistoryMove::Recorded;
                report.step = history_.UndoName();
                modified_ = true;
                break;
        }
    }
    report.modified = modified_;
    return outcome;
}
