// Answers the document commands' questions from a script, and records what
// was asked and shown.
#pragma once

#include <QStringList>
#include <deque>
#include <optional>

#include "document/document_prompts.h"

struct ScriptedPrompts : CDocumentPrompts {
    std::deque<QString> openPaths;
    std::deque<QString> savePaths;
    std::deque<SaveChoice> saveChoices;
    RecoveryAnswer recovery;
    StrandedTextureChoice strandedTextures = StrandedTextureChoice::Keep;
    QStringList strandedFiles;
    QStringList offeredAutosaves;
    // The answers of the options dialogs, in turn; none left is a cancel.
    std::deque<std::optional<Values>> parameterAnswers;
    // What the last options dialog offered: its parameters and the values it started from.
    std::vector<std::string> askedParameters;
    Values offeredValues;

    // "open", "save", "save native", "changes TITLE", "recovery", "parameters TITLE"
    QStringList asked;
    QStringList errors;
    QStringList information;

    QString AskOpenPath() override {
        asked << QStringLiteral("open");
        return Next(openPaths);
    }
    QString AskSavePath(const QString&, bool nativeOnly) override {
        asked << (nativeOnly ? QStringLiteral("save native") : QStringLiteral("save"));
        return Next(savePaths);
    }
    SaveChoice AskSaveChanges(const QString& title) override {
        asked << QStringLiteral("changes ") + title;
        if (saveChoices.empty()) {
            return SaveChoice::Cancel;
        }
        const SaveChoice choice = saveChoices.front();
        saveChoices.pop_front();
        return choice;
    }
    RecoveryAnswer AskRecovery(const QStringList& autosaves) override {
        asked << QStringLiteral("recovery");
        offeredAutosaves = autosaves;
        return recovery;
    }
    std::optional<Values> AskParameters(const QString& title, const std::vector<ParamSpec>& params,
                                        const Values& initial) override {
        asked << QStringLiteral("parameters ") + title;
        askedParameters.clear();
        for (const ParamSpec& param : params) {
            askedParameters.push_back(param.name);
        }
        offeredValues = initial;
        if (parameterAnswers.empty()) {
            return std::nullopt;
        }
        std::optional<Values> answer = parameterAnswers.front();
        parameterAnswers.pop_front();
        return answer;
    }
    StrandedTextureChoice AskStrandedTextures(const QStringList& files) override {
        asked << QStringLiteral("stranded textures");
        strandedFiles = files;
        return strandedTextures;
    }
    void ShowError(const QString& message) override { errors << message; }
    void ShowInformation(const QString& message) override { information << message; }

private:
    static QString Next(std::deque<QString>& queue) {
        if (queue.empty()) {
            return {};
        }
        QString next = queue.front();
        queue.pop_front();
        return next;
    }
};
