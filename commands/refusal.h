// Why a command did not run: a reason code, the same for every door, with
// one English and one Japanese text, and a detail that names what was wrong
// (the parameter, the index, the value).
#pragma once

#include <string>
#include <string_view>

enum class Reason {
    UnknownCommand,
    NeedsWindow,
    UnknownParameter,
    MissingParameter,
    WrongType,
    OutOfRange,
    NothingToUndo,
    NothingToRedo,
    NoSelectedFaces,
    NoClipboardFaces,
    ClipboardUnreadable,
    NoCurrentObject,
    NoCurrentMaterial,
    NoSuchObject,
    NoSuchMaterial,
    NoSuchElement,
    ObjectNotEditable,
    NoEditableObject,
    NothingToChange,
    UnsavableText,
    NoSelectedVertices,
    WrongVertexCount,
    NoObjectToMerge,
    ResultTooLarge,

    // The selection commands.
    NothingSelected,
};

enum class Language { English, Japanese };

struct ReasonText {
    Reason reason;
    std::string_view code;  // a stable name for scripts and tests: "no_such_object"
    std::string_view english;
    std::string_view japanese;
};

const ReasonText& DescribeReason(Reason reason);

struct Refusal {
    Reason reason = Reason::UnknownCommand;
    std::string detail;  // in English: parameter names and numbers read the same in both

    // "no such object: object 4 of 2" or its Japanese text with the same detail.
    std::string Message(Language language = Language::English) const;
};
