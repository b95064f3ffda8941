#include "panels/commit_line_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>

CCommitLineEdit::CCommitLineEdit(const QString& accessibleName, QWidget* parent)
    : QLineEdit(parent) {
    setAccessibleName(accessibleName);
}

// Undo and Redo the box has nothing for go to the window's commands.
bool CCommitLineEdit::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->matches(QKeySequence::Undo) && !isUndoAvailable()) ||
            (key->matches(QKeySequence::Redo) && !isRedoAvailable())) {
            event->ignore();
            return false;
        }
    }
    return QLineEdit::event(event);
}

void CCommitLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The box's own context menu takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason) {
        Commit();
    }
}

void CCommitLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Commit();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CCommitLineEdit::Commit() {
    if (!isModified()) {
        return;
    }
    setModified(false);
    emit committed();
    if (isUndoAvailable() || isRedoAvailable()) {
        const int cursor = cursorPosition();
        setText(text());
        setCursorPosition(cursor);
    }
}
