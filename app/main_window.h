// The main window: menus, toolbars and status bar around three columns — the
// property pane, the display bar above the 3D view, and the object list above
// the material list.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "app/frame_actions.h"
#include "app/frame_panes.h"
#include "edit/selection_counts.h"

class CDocumentCommands;
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
    const FrameActions& Actions() const { return actions_; }
    QMenu* FileMenu() const { return fileMenu_; }
    QToolBar* FileToolBar() const { return fileToolBar_; }
    QToolBar* ToolToolBar() const { return toolToolBar_; }

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
    void CreateMenus();
    QToolBar* CreateToolBar(const QString& title, const QList<QAction*>& actions);
    void CreateStatusBar();
    void ConnectActions();
    void ConnectDocument();
    void UpdateTitle();
    // The toolbar buttons pressed as the tool and the selection options are.
    void UpdateCommandStates();
    void UpdateRecentFilesMenu();
    // Undo, redo, cut, copy and paste enabled exactly when they can act.
    void UpdateEditCommands();
    void UpdatePasteCommand();
    void CopyToClipboard(const std::string& text);
    void Cut();
    void Paste();
    void RunTool(const ToolCommand& tool);
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
    FrameActions actions_;
    SelectionCounter selection_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentFilesEnd_ = nullptr;
    QList<QAction*> recentFileActions_;
    QToolBar* fileToolBar_ = nullptr;
    QToolBar* toolToolBar_ = nullptr;
};
