// One command of the program: its id, the texts and the place the menus and
// toolbars show it with, its parameters, when it can run and what it does.
// Menus, toolbars, keys, panel buttons, `quorvel-cli run` and scripts all
// reach a command through its entry in the command table.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "commands/change_report.h"
#include "commands/command_state.h"
#include "commands/parameters.h"
#include "commands/refusal.h"
#include "image/image_status.h"

class CCentigrade;
class EditHistory;

// What a perform function works on.
struct CommandContext {
    CCentigrade& scene;
    EditHistory& history;
    // The session's clipboard: the document text of faces (history/clipboard.h).
    std::string& clipboard;
    // What the scene's records cannot tell: a command that replaces the
    // clipboard text (`clipboard`), undoes or redoes (`history`) says so here.
    ChangeReport& report;
    // Textures a command tried to load and could not; the names stay.
    std::vector<TextureFailure>& textureFailures;
};

// Where a command appears: in the menu or toolbar `bar` (an id of
// kCommandBars), in group `group` (separated from the next group), at
// `order` within the group. An empty `bar`: not shown there.
struct Placement {
    std::string bar;
    int group = 0;
    int order = 0;

    bool Shown() const { return !bar.empty(); }
};

// Rules read the state only. An enabled rule says why the command cannot run
// now, or nothing.
using EnabledRule = std::optional<Reason> (*)(const CommandState&);
using CheckedRule = bool (*)(const CommandState&);
using TextRule = std::string (*)(const CommandState&);
// Validates what only the scene can tell (indices, names) before it changes
// anything: a refusal leaves the scene as it was.
using PerformFunction = std::optional<Refusal> (*)(CommandContext&, const CommandArguments&);

struct CommandSpec {
    std::string id;         // "file.save", "edit.move", "tool.select"
    std::string text;       // the Japanese menu text with its mnemonic: "上書き保存(&S)"
    std::string statusTip;  // shown in the status bar while the command is hovered
    std::string toolTip;    // of its toolbar button
    std::vector<std::string> shortcuts;  // portable text: "Ctrl+S", "Shift+F3"
    std::string icon;                    // resource path ":/icons/save.svg", or empty
    Placement menu;
    Placement toolbar;
    bool checkable = false;
    // Commands of one non-empty group are exclusive: the tools form one.
    std::string exclusiveGroup;
    std::vector<ParamSpec> params;
    EnabledRule enabled = nullptr;  // null: always enabled
    CheckedRule checked = nullptr;
    // The menu text when it follows the state ("元に戻す: 移動(&U)"); null: `text`.
    TextRule dynamicText = nullptr;
    // Null for a command that needs the program's window (a file dialog, the
    // about box, the keyboard focus): the application binds it, scripts refuse it.
    PerformFunction perform = nullptr;
    std::string help;  // one English line, for usage texts

    // Why the command cannot run in `state`, or nothing.
    std::optional<Reason> Unavailable(const CommandState& state) const {
        return enabled ? enabled(state) : std::nullopt;
    }
    bool Checked(const CommandState& state) const { return checked && checked(state); }
    std::string Text(const CommandState& state) const {
        return dynamicText ? dynamicText(state) : text;
    }
    bool Headless() const { return perform != nullptr; }
};

// A menu or a toolbar of the main window, in the order the window shows them.
struct CommandBar {
    std::string id;     // "file", "standard"
    std::string title;  // "ファイル(&F)", "標準"
    bool toolbar = false;
};
extern const std::vector<CommandBar> kCommandBars;
