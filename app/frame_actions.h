// The commands of the menus, the toolbars and the frame's own keys, with
// their texts, status-bar prompts, tool tips, shortcuts and icons. The frame
// connects them.
#pragma once

#include <QList>

class QAction;
class QObject;

// A toolbar command that chooses the tool and shows its property page.
struct ToolCommand {
    QAction* action;
    int toolMode;
    int page;
};

struct FrameActions {
    QAction* newDocument;
    QAction* open;
    QAction* save;
    QAction* saveAs;
    QAction* recentFilesPlaceholder;
    QAction* exit;
    QAction* undo;
    QAction* cut;
    QAction* copy;
    QAction* paste;
    QAction* statusBar;
    QAction* frameWholeScene;
    QAction* removeRegistration;
    QAction* about;
    QAction* nextPane;
    QAction* previousPane;
    QAction* vertexSelectable;
    QAction* edgeSelectable;
    QAction* faceSelectable;
    // In toolbar order: select, range, move, rotate, scale, paint, delete face.
    QList<ToolCommand> tools;
};

FrameActions CreateFrameActions(QObject* parent);
