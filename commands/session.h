// A document without a window: the scene, its undo history, the modified
// flag and a clipboard text. Commands run here by id with named parameters;
// the application's document wraps one, `quorvel-cli run` and scripts use it
// directly.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/change_report.h"
#include "commands/command_state.h"
#include "commands/parameters.h"
#include "commands/refusal.h"
#include "edit/selection_counts.h"
#include "history/edit_history.h"
#include "image/image_status.h"
#include "scene/centigrade.h"

struct CommandOutcome {
    // Why the command did not run; it then changed nothing.
    std::optional<Refusal> refusal;
    ChangeReport report;
    // Textures the command could not load (a paste, a texture name); the
    // materials keep their names.
    std::vector<TextureFailure> textureFailures;

    bool Done() const { return !refusal; }
};

class CommandSession {
public:
    CommandSession() = default;
    CommandSession(const CommandSession&) = delete;
    CommandSession& operator=(const CommandSession&) = delete;

    CCentigrade& Scene() { return scene_; }
    const CCentigrade& Scene() const { return scene_; }
    EditHistory& History() { return history_; }
    const EditHistory& History() const { return history_; }

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

    // The text cut, copy and paste use; the application mirrors the system clipboard here.
    const std::string& Clipboard() const { return clipboard_; }
    void SetClipboard(std::string text);

    // What the enabled and checked rules read.
    CommandState State() const;

    // Runs command `id` with `values`: refused when the id is unknown, the
    // command needs a window, a parameter is unknown, missing or wrong, or the
    // command is disabled in the current state (with the reason its rule
    // gives); otherwise performed, with the report of what it changed.
    CommandOutcome Run(std::string_view id, const Values& values = {});

private:
    CCentigrade scene_;
    EditHistory history_;
    bool modified_ = false;
    std::string clipboard_;
    bool clipboardHasFaces_ = false;
    mutable SelectionCounter counter_;
};
