// The document commands' questions as file dialogs and message boxes.
#pragma once

#include "document/document_prompts.h"

class QWidget;

class CWidgetPrompts : public CDocumentPrompts {
public:
    explicit CWidgetPrompts(QWidget* parent) : parent_(parent) {}

    QString AskOpenPath() override;
    QString AskSavePath(const QString& suggested, bool nativeOnly) override;
    SaveChoice AskSaveChanges(const QString& title) override;
    RecoveryAnswer AskRecovery(const QStringList& autosaves) override;
    std::optional<Values> AskParameters(const QString& title, const std::vector<ParamSpec>& params,
                                        const Values& initial) override;
    StrandedTextureChoice AskStrandedTextures(const QStringList& files) override;
    void ShowError(const QString& message) override;
    void ShowInformation(const QString& message) override;

private:
    QWidget* parent_;
};
