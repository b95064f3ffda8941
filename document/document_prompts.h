// The questions the document commands ask the user. The application answers
// them with dialogs and message boxes; tests answer them from a script.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "commands/parameters.h"

enum class SaveChoice { Yes, No, Cancel };

// What a save into another folder does with textures it would leave behind.
enum class StrandedTextureChoice { Copy, Keep, Cancel };

// What to do with the autosaves runs that did not end cleanly left behind.
struct RecoveryAnswer {
    int recover = -1;      // the one to open, by its place in the list; -1 for none
    bool discard = false;  // delete them all; otherwise they are offered again next time
};

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
    // Offers the autosaves, one line each (document name, time and size).
    virtual RecoveryAnswer AskRecovery(const QStringList& autosaves) = 0;
    // The values of `params` for the command titled `title`, starting from
    // `initial`; nothing when the user cancelled. One that cannot ask declines.
    virtual std::optional<Values> AskParameters(const QString& /*title*/,
                                                const std::vector<ParamSpec>& /*params*/,
                                                const Values& /*initial*/) {
        return std::nullopt;
    }
    // Textures named relative to the document would not be found beside the
    // new file: copy them there, keep the names as they are, or cancel the
    // save. `files` names them. By default the names are kept.
    virtual StrandedTextureChoice AskStrandedTextures(const QStringList& /*files*/) {
        return StrandedTextureChoice::Keep;
    }
    virtual void ShowError(const QString& message) = 0;
    virtual void ShowInformation(const QString& message) = 0;
};
