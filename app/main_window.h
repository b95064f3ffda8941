// The main window: for now the 3D view alone.
#pragma once

#include <QMainWindow>

class CCentigrade;
class CQuorvelView;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(CCentigrade& scene, QWidget* parent = nullptr);

    CQuorvelView* View() const { return view_; }

private:
    CQuorvelView* view_;
};
