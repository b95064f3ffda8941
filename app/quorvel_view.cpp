#include "app/quorvel_view.h"

#include <QAction>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>
#include <utility>

#include "app/command_actions.h"
#include "commands/command_table.h"
#include "document/quorvel_document.h"
#include "scene/centigrade.h"

CQuorvelView::CQuorvelView(CQuorvelDoc& doc, QWidget* parent)
    : QOpenGLWidget(parent), doc_(doc), scene_(doc.Scene()), input_(scene_, &doc.History()) {
    // Hover moves keep lastPoint current, so that a pan with the middle button
    // (whose press the view does not act on) starts from where the pointer is.
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    // A drag marks the document at every step, so that the title shows it
    // while the button is still down; the step itself is reported at the release.
    input_.onDocumentModified = [this] {
        recorded_ = true;
        doc_.SetModifiedFlag(true);
    };
    input_.runCommand = [this](std::string_view id, const Values& values) { doc_.Run(id, values); };
    AddViewPresets();
}

void CQuorvelView::LeftPress(QPoint at) {
    const SceneLedger before(scene_);
    recorded_ = false;
    Redraw(input_.LeftButtonDown(at.x(), at.y()));
    doc_.Changed(before, std::exchange(recorded_, false));
    dragStart_.emplace(scene_);
}

void CQuorvelView::LeftRelease(QPoint at) {
    const SceneLedger before = dragStart_ ? std::move(*dragStart_) : SceneLedger(scene_);
    dragStart_.reset();
    recorded_ = false;
    Redraw(input_.LeftButtonUp(at.x(), at.y()));
    doc_.Changed(before, std::exchange(recorded_, false));
}

CQuorvelView::~CQuorvelView() {
    // The base class destroys the context after this object is gone; its
    // signal must not reach this object then.
    if (QOpenGLContext* gl = context()) {
        disconnect(gl, &QOpenGLContext::aboutToBeDestroyed, this, nullptr);
    }
    ReleaseContext();
}

// The table's view presets with their keys, for a view shown without the
// window's menus.
void CQuorvelView::AddViewPresets() {
    for (const char* id :
         {"view.front", "view.back", "view.side", "view.opposite", "view.top", "view.bottom"}) {
        const CommandSpec* spec = CommandTable::Global().Find(id);
        if (spec == nullptr || spec->shortcuts.empty()) {
            continue;
        }
        auto* action = new QAction(this);
        action->setShortcut(ShortcutFromTable(spec->shortcuts.front()));
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, id] {
            doc_.Run(id);
            repaint();
        });
        addAction(action);
        presetActions_.append(action);
    }
}

void CQuorvelView::initializeGL() {
    // Qt replaces the context when the widget moves to another window; the GL
    // objects go with the old one and are built again here.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &CQuorvelView::ReleaseContext);
    renderer_.CreateContext(scene_);
}

void CQuorvelView::ReleaseContext() {
    if (!context()) {
        return;
    }
    makeCurrent();
    renderer_.ReleaseContext();
    doneCurrent();
}

void CQuorvelView::resizeGL(int width, int height) {
    scene_.viewWidth = static_cast<float>(width);
    scene_.viewHeight = static_cast<float>(height);
}

void CQuorvelView::paintGL() {
    // The scene's view size is in the client pixels mouse positions come in;
    // the framebuffer has devicePixelRatio times as many.
    const QSize pixels = size() * devicePixelRatio();
    renderer_.Draw(scene_, pixels.width(), pixels.height());
}

void CQuorvelView::Redraw(ViewRedraw redraw) {
    switch (redraw) {
        case ViewRedraw::Now:
            repaint();
            break;
        case ViewRedraw::Later:
            update();
            break;
        case ViewRedraw::None:
            break;
    }
}

bool CQuorvelView::EdgePathPress(const QMouseEvent& event) {
    const Qt::KeyboardModifiers held = event.modifiers();
    if (!held.testFlag(Qt::AltModifier)) {
        return false;
    }
    const QPoint p = event.position().toPoint();
    const EdgePath path = held.testFlag(Qt::ControlModifier) ? EdgePath::Ring : EdgePath::Loop;
    Redraw(input_.EdgePathClick(p.x(), p.y(), path, held.testFlag(Qt::ShiftModifier)));
    return true;
}

void CQuorvelView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    switch (event->button()) {
        case Qt::LeftButton:
            if (!input_.RightDown() && EdgePathPress(*event)) {
                ignoreLeftRelease_ = true;
                break;
            }
            LeftPress(p);
            break;
        case Qt::RightButton:
            Redraw(input_.RightButtonDown(p.x(), p.y()));
            break;
        default:
            // Other buttons are not the view's: a middle-button pan acts on
            // the moves alone.
            event->ignore();
            return;
    }
    event->accept();
}

// A double-click is two clicks to every tool: the second press must not run
// the tool again (delete a second face, toggle a selection back), and the
// release that ends it must not run the release steps without their press.
void CQuorvelView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        ignoreLeftRelease_ = true;
    }
    event->accept();
}

void CQuorvelView::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    switch (event->button()) {
        case Qt::LeftButton:
            if (std::exchange(ignoreLeftRelease_, false)) {
                break;
            }
            LeftRelease(p);
            break;
        case Qt::RightButton:
            Redraw(input_.RightButtonUp());
            break;
        default:
            break;
    }
    event->accept();
}

void CQuorvelView::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Redraw(input_.MouseMove(p.x(), p.y(), event->buttons().testFlag(Qt::MiddleButton)));
    event->accept();
}

void CQuorvelView::wheelEvent(QWheelEvent* event) {
    Redraw(input_.Wheel(event->angleDelta().y()));
    event->accept();
}

void CQuorvelView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift) {
        scene_.keyFlag = true;
    }
    QOpenGLWidget::keyPressEvent(event);
}

void CQuorvelView::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Shift) {
        scene_.keyFlag = false;
    }
    QOpenGLWidget::keyReleaseEvent(event);
}
