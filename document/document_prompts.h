// The questions the document commands ask the user. The application answers
// them with dialogs and message boxes; tests answer them from a script.
#pragma once

#include <QString>

enum class SaveChoice { Yes, No, Cancel };

class CDocumentPrompts {
public:
    virtual ~CDocumentPrompts() = default;

    // The file to open; empty when the user cancelled.
    virtual QString AskOpenPath() = 0;
    // The file to save to, starting from `suggested`; `nativeOnly` offers the
    // native format alone. Empty when the user cancelled.
    virtual QString AskSavePath(const QString& suggested, bool nativeOnly) = 0;
    // "Save the changes to `title`?"
    virtual SaveChoice AskSaveChanges(const QString& title) = 0;
    virtual void ShowError(const QString& message) = 0;
    virtual void ShowInformation(const QString& message) = 0;
};
