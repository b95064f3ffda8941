// An edit box whose text takes effect when it loses the keyboard focus (Tab,
// a click elsewhere) or when Enter is pressed; Enter keeps the focus there.
#pragma once

#include <QLineEdit>

class CCommitLineEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit CCommitLineEdit(const QString& accessibleName, QWidget* parent = nullptr);

signals:
    void committed();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
