// The 3D view: draws the scene through the renderer and turns mouse and
// keyboard input into picks, manipulator drags and camera moves.
#pragma once

#include <QList>
#include <QOpenGLWidget>
#include <optional>

#include "app/view_input.h"
#include "commands/change_report.h"
#include "render/scene_renderer.h"

class CCentigrade;
class CQuorvelDoc;
class QAction;

class CQuorvelView : public QOpenGLWidget {
    Q_OBJECT

public:
    // The document's view: its edits are undo steps of the document's
    // history, reported through the document when the click or drag that
    // makes them ends; Alt+click (Ctrl+Alt+click) selects the edge loop
    // (ring) through the document's commands, Shift adding to the selection.
    explicit CQuorvelView(CQuorvelDoc& doc, QWidget* parent = nullptr);
    ~CQuorvelView() override;

    // Front (F3), back (Shift+F3), side (F1), opposite side (Shift+F1), top (F2)
    // and bottom (Shift+F2), active while the view's window is; a menu may
    // show them too.
    const QList<QAction*>& ViewPresetActions() const { return presetActions_; }
    const ViewInput& Input() const { return input_; }
    const SceneRenderer& Renderer() const { return renderer_; }

protected:
    void initializeGL() override;
    void resizeGL(int width, int height) override;
    void paintGL() override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void AddViewPresets();
    void ReleaseContext();
    void Redraw(ViewRedraw redraw);
    // An Alt+click: true when it was taken as an edge loop or ring click.
    bool EdgePathPress(const QMouseEvent& event);
    // A press or release of the left button, reported to the document with
    // what it changed: a click's pick or face edit at the press, a drag's
    // moves or a rectangle's selection at the release.
    void LeftPress(QPoint at);
    void LeftRelease(QPoint at);

    CQuorvelDoc& doc_;
    CCentigrade& scene_;
    SceneRenderer renderer_;
    ViewInput input_;
    QList<QAction*> presetActions_;
    // The second press of a double-click, or an edge click, was not acted on
    // as a press of the tool; nor is its release.
    bool ignoreLeftRelease_ = false;
    // The press or release being handled recorded a step.
    bool recorded_ = false;
    // The scene as the drag after a press found it.
    std::optional<SceneLedger> dragStart_;
};
