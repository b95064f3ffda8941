// An edit box whose text takes effect when it loses the keyboard focus (Tab,
// a click elsewhere) or when Enter is pressed; Enter keeps the focus there.
// Only a text the user changed takes effect, once. Once it has, Ctrl+Z and
// Ctrl+Y belong to the document again: the box forgets its own text undo.
#pragma once

#include <QLineEdit>

class CCommitLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CCommitLineEdit(const QString& accessibleName, QWidget* parent = nullptr);

signals:
    void committed();

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Commit();
};
