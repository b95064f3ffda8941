// "バージョン情報 Quorvel": the icon, the product title and version, and the
// project's own information.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};
