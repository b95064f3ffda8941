#include "commands/refusal.h"

#include <array>

namespace {

constexpr std::array kReasons = {
    ReasonText{Reason::UnknownCommand, "unknown_command", "unknown command", "不明なコマンドです"},
    ReasonText{Reason::NeedsWindow, "needs_window", "this command needs the program's window",
               "このコマンドにはウィンドウが必要です"},
    ReasonText{Reason::UnknownParameter, "unknown_parameter", "unknown parameter",
               "不明なパラメータです"},
    ReasonText{Reason::MissingParameter, "missing_parameter", "missing parameter",
               "パラメータが指定されていません"},
    ReasonText{Reason::WrongType, "wrong_type", "wrong kind of value", "値の種類が違います"},
    ReasonText{Reason::OutOfRange, "out_of_range", "value out of range", "値が範囲外です"},
    ReasonText{Reason::NothingToUndo, "nothing_to_undo", "nothing to undo",
               "元に戻す操作がありません"},
    ReasonText{Reason::NothingToRedo, "nothing_to_redo", "nothing to redo",
               "やり直す操作がありません"},
    ReasonText{Reason::NoSelectedFaces, "no_selected_faces", "no face is selected",
               "面が選択されていません"},
    ReasonText{Reason::NoClipboardFaces, "no_clipboard_faces", "the clipboard holds no faces",
               "クリップボードに面がありません"},
    ReasonText{Reason::ClipboardUnreadable, "clipboard_unreadable",
               "the clipboard's faces cannot be read", "クリップボードの面を読み込めません"},
    ReasonText{Reason::NoCurrentObject, "no_current_object", "no object is current",
               "現在の物体がありません"},
    ReasonText{Reason::NoCurrentMaterial, "no_current_material", "no material is current",
               "現在の材質がありません"},
    ReasonText{Reason::NoSuchObject, "no_such_object", "no such object", "その物体はありません"},
    ReasonText{Reason::NoSuchMaterial, "no_such_material", "no such material",
               "その材質はありません"},
    ReasonText{Reason::NoSuchElement, "no_such_element", "no such vertex, edge or face",
               "その頂点・辺・面はありません"},
    ReasonText{Reason::ObjectNotEditable, "object_not_editable", "the object is locked or hidden",
               "物体がロックされているか非表示です"},
    ReasonText{Reason::NoEditableObject, "no_editable_object", "no object can be edited",
               "編集できる物体がありません"},
    ReasonText{Reason::NothingToChange, "nothing_to_change", "nothing to change was given",
               "変更する値が指定されていません"},
    ReasonText{Reason::UnsavableText, "unsavable_text",
               "the text holds characters a document cannot store", "保存できない文字があります"},
    ReasonText{Reason::NoSelectedVertices, "no_selected_vertices", "no vertex is selected",
               "頂点が選択されていません"},
    ReasonText{Reason::WrongVertexCount, "wrong_vertex_count", "a face needs 2 to 4 vertices",
               "面には頂点が2～4個必要です"},
    ReasonText{Reason::NoObjectToMerge, "no_object_to_merge", "no object to merge is given",
               "結合するオブジェクトが指定されていません"},
    ReasonText{Reason::ResultTooLarge, "result_too_large",
               "the result would have more vertices or faces than an object can hold",
               "結果の頂点数か面数が多すぎます"},

    // The selection commands.
    ReasonText{Reason::NothingSelected, "nothing_selected", "nothing is selected",
               "何も選択されていません"},
};

// The table is indexed by the reason.
constexpr bool InReasonOrder() {
    for (std::size_t i = 0; i < kReasons.size(); ++i) {
        if (kReasons[i].reason != static_cast<Reason>(i)) {
            return false;
        }
    }
    return kReasons.size() == static_cast<std::size_t>(Reason::NothingSelected) + 1;
}
static_assert(InReasonOrder());

}  // namespace

const ReasonText& DescribeReason(Reason reason) {
    return kReasons[static_cast<std::size_t>(reason)];
}

std::string Refusal::Message(Language language) const {
    const ReasonText& text = DescribeReason(reason);
    std::string message(language == Language::Japanese ? text.japanese : text.english);
    if (!detail.empty()) {
        message += language == Language::Japanese ? "：" : ": ";
        message += detail;
    }
    return message;
}
