#include "app/command_actions.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolBar>

#include "commands/command_table.h"

namespace {

// Where `spec` stands in `bar`.
const Placement& PlaceIn(const CommandSpec& spec, const std::string& bar) {
    return spec.menu.bar == bar ? spec.menu : spec.toolbar;
}

QString StatusTip(const CommandSpec& spec, std::optional<Reason> unavailable) {
    QString tip = QString::fromStdString(spec.statusTip);
    if (unavailable) {
        const std::string_view why = DescribeReason(*unavailable).japanese;
        tip += QStringLiteral("（%1）").arg(
            QString::fromUtf8(why.data(), static_cast<qsizetype>(why.size())));
    }
    return tip;
}

}  // namespace

QString WithoutMnemonic(const std::string& text) {
    static const QRegularExpression mnemonic(QStringLiteral("\\(&.\\)|&"));
    return QString::fromStdString(text).remove(mnemonic);
}

QKeySequence ShortcutFromTable(const std::string& text) {
    // Qt's portable text spells the keypad "Num+" as the table does.
    const QKeySequence key =
        QKeySequence::fromString(QString::fromStdString(text), QKeySequence::PortableText);
    return key.count() == 1 && key[0].key() != Qt::Key_unknown ? key : QKeySequence();
}

CommandActions::CommandActions(QMainWindow& window, Runner runner, const CommandTable& table)
    : QObject(&window), table_(table), runner_(std::move(runner)) {
    for (const CommandSpec* spec : table_.All()) {
        if (spec->menu.Shown() || spec->toolbar.Shown() || !spec->shortcuts.empty()) {
            entries_.push_back({spec, MakeAction(*spec, window)});
        }
    }
}

QAction* CommandActions::MakeAction(const CommandSpec& spec, QMainWindow& window) {
    auto* action = new QAction(QString::fromStdString(spec.text), &window);
    action->setObjectName(QString::fromStdString(spec.id));
    action->setStatusTip(QString::fromStdString(spec.statusTip));
    if (!spec.toolTip.empty()) {
        action->setToolTip(QString::fromStdString(spec.toolTip));
    }
    if (!spec.icon.empty()) {
        action->setIcon(QIcon(QString::fromStdString(spec.icon)));
    }
    QList<QKeySequence> keys;
    for (const std::string& shortcut : spec.shortcuts) {
        if (const QKeySequence key = ShortcutFromTable(shortcut); !key.isEmpty()) {
            keys << key;
        }
    }
    action->setShortcuts(keys);
    action->setCheckable(spec.checkable);
    if (!spec.exclusiveGroup.empty()) {
        QActionGroup*& group = groups_[spec.exclusiveGroup];
        if (group == nullptr) {
            group = new QActionGroup(this);
            group->setExclusionPolicy(QActionGroup::ExclusionPolicy::Exclusive);
        }
        group->addAction(action);
    }
    // Keys work wherever the focus is in the window, whether or not a menu shows the command.
    window.addAction(action);
    connect(action, &QAction::triggered, this, [this, &spec] { Trigger(spec); });
    return action;
}

QAction* CommandActions::Action(std::string_view id) const {
    for (const Entry& entry : entries_) {
        if (entry.spec->id == id) {
            return entry.action;
        }
    }
    return nullptr;
}

void CommandActions::Bind(std::string_view id, Handler handler) {
    handlers_.insert_or_assign(std::string(id), std::move(handler));
}

void CommandActions::Trigger(const CommandSpec& spec) {
    if (const auto bound = handlers_.find(spec.id); bound != handlers_.end()) {
        bound->second();
    } else if (spec.Headless()) {
        runner_(spec);
    }
}

void CommandActions::AddBars(QMainWindow& window) {
    bool firstToolBar = true;
    for (const CommandBar& bar : kCommandBars) {
        if (!bar.toolbar) {
            menus_[bar.id] = AddMenu(window, bar);
            continue;
        }
        if (!firstToolBar) {
            window.addToolBarBreak();
        }
        firstToolBar = false;
        toolBars_[bar.id] = AddToolBar(window, bar);
    }
}

void CommandActions::Fill(QWidget& widget, const std::string& bar) const {
    std::optional<int> group;
    for (const CommandSpec* spec : table_.In(bar)) {
        const int place = PlaceIn(*spec, bar).group;
        if (group && *group != place) {
            auto* separator = new QAction(&widget);
            separator->setSeparator(true);
            widget.addAction(separator);
        }
        group = place;
        widget.addAction(Action(spec->id));
    }
}

QMenu* CommandActions::AddMenu(QMainWindow& window, const CommandBar& bar) {
    QMenu* menu = window.menuBar()->addMenu(QString::fromStdString(bar.title));
    menu->setObjectName(QString::fromStdString(bar.id));
    menu->setAccessibleName(WithoutMnemonic(bar.title));
    Fill(*menu, bar.id);
    return menu;
}

QToolBar* CommandActions::AddToolBar(QMainWindow& window, const CommandBar& bar) {
    const QString title = QString::fromStdString(bar.title);
    QToolBar* toolBar = window.addToolBar(title);
    toolBar->setObjectName(title);
    toolBar->setAccessibleName(title);
    toolBar->setIconSize(QSize(16, 15));
    Fill(*toolBar, bar.id);
    for (QAction* action : toolBar->actions()) {
        if (!action->isSeparator()) {
            // Reachable with Tab, and read out by the tip a pointer would show.
            QWidget* button = toolBar->widgetForAction(action);
            button->setFocusPolicy(Qt::TabFocus);
            button->setAccessibleName(action->toolTip());
        }
    }
    return toolBar;
}

QMenu* CommandActions::Menu(std::string_view bar) const {
    const auto found = menus_.find(bar);
    return found == menus_.end() ? nullptr : found->second;
}

QToolBar* CommandActions::ToolBar(std::string_view bar) const {
    const auto found = toolBars_.find(bar);
    return found == toolBars_.end() ? nullptr : found->second;
}

void CommandActions::Update(const CommandState& state) {
    for (const auto& [spec, action] : entries_) {
        const std::optional<Reason> unavailable = spec->Unavailable(state);
        const bool runnable = spec->Headless() || handlers_.contains(spec->id);
        action->setEnabled(runnable && !unavailable);
        action->setStatusTip(StatusTip(*spec, unavailable));
        if (spec->checkable) {
            action->setChecked(spec->Checked(state));
        }
        if (spec->dynamicText) {
            action->setText(QString::fromStdString(spec->Text(state)));
        }
    }
}
