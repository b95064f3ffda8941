// The window's actions, made from the command table: one per command that a
// menu, a toolbar or a key reaches, named by the command's id, with its
// texts, keys and icon; the menus and toolbars in the order of kCommandBars;
// and their enabled, checked and text states following the document.
#pragma once

#include <QKeySequence>
#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "commands/command_table.h"

class QAction;
class QActionGroup;
class QMainWindow;
class QMenu;
class QToolBar;
class QWidget;

// A menu text as a title or a screen reader says it: "ファイル(&F)" is "ファイル".
QString WithoutMnemonic(const std::string& text);

// The key sequence of a shortcut as the table writes it ("Ctrl+S", "Num+."
// for a key of the keypad); empty when Qt cannot read it.
QKeySequence ShortcutFromTable(const std::string& text);

class CommandActions : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void()>;
    // Runs a command the table can perform; the window asks for its options.
    using Runner = std::function<void(const CommandSpec&)>;

    // The actions go to `window`, so that their keys work anywhere in it.
    CommandActions(QMainWindow& window, Runner runner,
                   const CommandTable& table = CommandTable::Global());

    // The action of command `id`, or null when no menu, toolbar or key shows it.
    QAction* Action(std::string_view id) const;
    // Command `id`, which needs the window, runs `handler`. A command that
    // the table cannot perform and nothing binds stays disabled.
    void Bind(std::string_view id, Handler handler);

    // The menus into the window's menu bar and the toolbars into the window.
    void AddBars(QMainWindow& window);
    QMenu* Menu(std::string_view bar) const;
    QToolBar* ToolBar(std::string_view bar) const;

    // Enabled, checked and text of every action as `state` has them; a
    // disabled action's status tip says why.
    void Update(const CommandState& state);

private:
    struct Entry {
        const CommandSpec* spec;
        QAction* action;
    };

    QAction* MakeAction(const CommandSpec& spec, QMainWindow& window);
    void Trigger(const CommandSpec& spec);
    // The actions of menu or toolbar `bar` into `widget` in their order, a
    // separator between groups.
    void Fill(QWidget& widget, const std::string& bar) const;
    QMenu* AddMenu(QMainWindow& window, const CommandBar& bar);
    QToolBar* AddToolBar(QMainWindow& window, const CommandBar& bar);

    const CommandTable& table_;
    Runner runner_;
    std::vector<Entry> entries_;
    std::map<std::string, QActionGroup*, std::less<>> groups_;
    std::map<std::string, Handler, std::less<>> handlers_;
    std::map<std::string, QMenu*, std::less<>> menus_;
    std::map<std::string, QToolBar*, std::less<>> toolBars_;
};
