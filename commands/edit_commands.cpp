// The Edit menu: undo and redo of the history's steps, and cut, copy and
// paste of faces through the session's clipboard text.
#include "commands/clipboard_edits.h"
#include "commands/command_table.h"
#include "history/clipboard.h"
#include "history/edit_history.h"
#include "scene/centigrade.h"

namespace {

// "元に戻す: 移動(&U)", or the bare command when there is no step.
std::string StepText(const char* command, const std::string& step, char mnemonic) {
    std::string text = command;
    if (!step.empty()) {
        text += ": " + step;
    }
    return text + "(&" + mnemonic + ")";
}

std::optional<Reason> CanUndo(const CommandState& state) {
    return state.canUndo ? std::nullopt : std::optional(Reason::NothingToUndo);
}

std::optional<Reason> CanRedo(const CommandState& state) {
    return state.canRedo ? std::nullopt : std::optional(Reason::NothingToRedo);
}

// Faces a range pick took (all their edges selected) count as the view shows them.
std::optional<Reason> AnyTakenFace(const CommandState& state) {
    return state.selected.takenFaces > 0 ? std::nullopt : std::optional(Reason::NoSelectedFaces);
}

std::optional<Reason> ClipboardHoldsFaces(const CommandState& state) {
    return state.clipboardHasFaces ? std::nullopt : std::optional(Reason::NoClipboardFaces);
}

// The objects a step reshaped get their normals back.
void AfterHistoryMove(CommandContext& context, const SceneChange& change, HistoryMove move) {
    for (std::size_t m : change.reshapedModels) {
        if (m < context.scene.models.size()) {
            context.scene.models[m].UpdateNormals(context.scene.smooth);
        }
    }
    context.report.history = move;
}

std::optional<Refusal> Undo(CommandContext& context, const CommandArguments&) {
    AfterHistoryMove(context, context.history.Undo(context.scene), HistoryMove::Undone);
    return std::nullopt;
}

std::optional<Refusal> Redo(CommandContext& context, const CommandArguments&) {
    AfterHistoryMove(context, context.history.Redo(context.scene), HistoryMove::Redone);
    return std::nullopt;
}

std::optional<Refusal> Cut(CommandContext& context, const CommandArguments&) {
    std::string text = CutFaces(context.history, context.scene);
    if (text.empty()) {
        return Refusal{Reason::NoSelectedFaces, {}};
    }
    context.clipboard = std::move(text);
    context.report.clipboard = true;
    return std::nullopt;
}

std::optional<Refusal> Copy(CommandContext& context, const CommandArguments&) {
    context.clipboard = CopySelectedFaces(context.scene);
    context.report.clipboard = true;
    return std::nullopt;
}

std::optional<Refusal> Paste(CommandContext& context, const CommandArguments&) {
    const PasteOutcome outcome =
        PasteFaceText(context.history, context.scene, context.clipboard, context.textureFailures);
    if (!outcome.failure.empty()) {
        return Refusal{Reason::ClipboardUnreadable, outcome.failure};
    }
    return std::nullopt;
}

const CommandRegistration kEditCommands{{
    {.id = "edit.undo",
     .text = "元に戻す(&U)",
     .statusTip = "直前に行った動作を元に戻す",
     .toolTip = "元に戻す",
     .shortcuts = {"Ctrl+Z", "Alt+Backspace"},
     .menu = {"edit", 0, 0},
     .enabled = CanUndo,
     .dynamicText = [](const CommandState& s) { return StepText("元に戻す", s.undoName, 'U'); },
     .perform = Undo,
     .help = "take back the last step"},
    {.id = "edit.redo",
     .text = "やり直し(&R)",
     .statusTip = "元に戻した動作をやり直す",
     .toolTip = "やり直し",
     .shortcuts = {"Ctrl+Y", "Ctrl+Shift+Z"},
     .menu = {"edit", 0, 1},
     .enabled = CanRedo,
     .dynamicText = [](const CommandState& s) { return StepText("やり直し", s.redoName, 'R'); },
     .perform = Redo,
     .help = "do the last step taken back again"},
    {.id = "edit.cut",
     .text = "切り取り(&T)",
     .statusTip = "選択範囲を切り取ってクリップボードに保存",
     .toolTip = "切り取り",
     .shortcuts = {"Ctrl+X", "Shift+Del"},
     .icon = ":/icons/cut.svg",
     .menu = {"edit", 1, 0},
     .toolbar = {"standard", 1, 0},
     .enabled = AnyTakenFace,
     .perform = Cut,
     .help = "remove the selected faces to the clipboard"},
    {.id = "edit.copy",
     .text = "コピー(&C)",
     .statusTip = "選択範囲をコピーしてクリップボードに保存",
     .toolTip = "コピー",
     .shortcuts = {"Ctrl+C", "Ctrl+Ins"},
     .icon = ":/icons/copy.svg",
     .menu = {"edit", 1, 1},
     .toolbar = {"standard", 1, 1},
     .enabled = AnyTakenFace,
     .perform = Copy,
     .help = "copy the selected faces to the clipboard"},
    {.id = "edit.paste",
     .text = "貼り付け(&P)",
     .statusTip = "クリップボードの内容を貼り付け",
     .toolTip = "貼り付け",
     .shortcuts = {"Ctrl+V", "Shift+Ins"},
     .icon = ":/icons/paste.svg",
     .menu = {"edit", 1, 2},
     .toolbar = {"standard", 1, 2},
     .enabled = ClipboardHoldsFaces,
     .perform = Paste,
     .help = "add the clipboard's faces as new objects"},
}};

}  // namespace
