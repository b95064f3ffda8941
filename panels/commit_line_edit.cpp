#include "panels/commit_line_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>

CCommitLineEdit::CCommitLineEdit(const QString& accessibleName, QWidget* parent)
    : QLineEdit(parent) {
    setAccessibleName(accessibleName);
}

void CCommitLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // The box's own context menu takes the focus only for a moment.
    if (event->reason() != Qt::PopupFocusReason) {
        emit committed();
    }
}

void CCommitLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit committed();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
