// The main window: menus, toolbars and status bar around three columns — the
// property pane, the display bar above the 3D view, and the object list above
// the material list. Its menus, toolbars and keys come from the command table.
#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "app/frame_panes.h"
#include "commands/parameters.h"

class CommandActions;
struct CommandSpec;
class CDocumentCommands;
class QAction;
class CDocumentPrompts;
class CQuorvelDoc;
class CQuorvelView;
class CRecentFileList;
class QMenu;
class QSplitter;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // Widths of the property column and the list column; the 3D view takes the rest.
    static constexpr int kPropertyColumnWidth = 200;
    static constexpr int kListColumnWidth = 150;

    // Without `prompts` the user answers through dialogs and message boxes.
    explicit CMainFrame(CQuorvelDoc& doc, CDocumentPrompts* prompts = nullptr,
                        QWidget* parent = nullptr);
    ~CMainFrame() override;

    CQuorvelDoc& Document() const { return doc_; }
    CDocumentCommands& Commands() const { return *commands_; }
    CRecentFileList& RecentFiles() const { return *recent_; }
    CQuorvelView* View() const { return view_; }
    const FramePanes& Panes() const { return panes_; }
    QSplitter* MainSplitter() const { return mainSplitter_; }
    QSplitter* ListSplitter() const { return listSplitter_; }
    // The action of command `id` ("file.save", "tool.move"), or null.
    QAction* Action(std::string_view id) const;
    // The menu or toolbar of kCommandBars with id `bar` ("file", "tools").
    QMenu* Menu(std::string_view bar) const;
    QToolBar* ToolBar(std::string_view bar) const;
    QMenu* FileMenu() const { return Menu("file"); }
    QToolBar* FileToolBar() const { return ToolBar("standard"); }
    QToolBar* ToolToolBar() const { return ToolBar("tools"); }

    // Shows page `page` of the property pane and refreshes every view with
    // the hint that page asks for (the object and material forms reload).
    void ShowPropertyPage(int page);
    int CurrentPage() const;

    // The columns back to their fixed widths, then the lists to equal halves.
    void RelayoutPanes();
    void RelayoutRows();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateClient();
    void CreateCommands();
    // The commands that need the window: files, the status bar, the desktop
    // registration, the about box and the pane keys.
    void BindWindowCommands();
    void CreateStatusBar();
    void ConnectDocument();
    void UpdateTitle();
    // Every action enabled, checked and named as the document's state has it.
    void UpdateCommandStates();
    void UpdateRecentFilesMenu();
    // The session's clipboard text follows the system clipboard.
    void MirrorClipboard();
    void CopyToClipboard(const std::string& text);
    // Runs a command of the table through the document, with the options the
    // user gives for its labelled parameters; a refusal is shown.
    void RunCommand(const CommandSpec& spec);
    // The property page of tool `toolMode`.
    void ShowToolPage(int toolMode);
    // F6 and Shift+F6: the keyboard focus to the next or previous pane.
    void FocusPane(int step);

    CQuorvelDoc& doc_;
    std::unique_ptr<CDocumentPrompts> ownPrompts_;
    CDocumentPrompts* prompts_;
    CRecentFileList* recent_;
    std::unique_ptr<CDocumentCommands> commands_;
    QSplitter* mainSplitter_ = nullptr;
    QSplitter* listSplitter_ = nullptr;
    CQuorvelView* view_ = nullptr;
    FramePanes panes_;
    CommandActions* actions_ = nullptr;
    // The options last given to each command's dialog, offered again.
    std::map<std::string, Values, std::less<>> lastOptions_;
    QAction* recentFilesEnd_ = nullptr;
    QList<QAction*> recentFileActions_;
};
