#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QVBoxLayout>

#include "app/product.h"
#include "exchange/document_formats.h"

namespace {

// The formats the program opens and writes, as the format table has them.
QString FormatsLine() {
    QStringList opened;
    QStringList written;
    for (const DocumentFormat& format : DocumentFormats()) {
        const QString name =
            u'.' + QString::fromUtf8(format.extension.data(),
                                     static_cast<qsizetype>(format.extension.size()));
        if (format.reader != FormatReader::None) {
            opened << name;
        }
        if (format.write) {
            written << name;
        }
    }
    return QStringLiteral("ドキュメント: %1 を開き、%2 に保存します")
        .arg(opened.join(QStringLiteral(" ")), written.join(QStringLiteral(" ")));
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("バージョン情報 Quorvel"));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/quorvel.svg")).pixmap(48, 48));
    icon->setAccessibleName(QStringLiteral("Quorvel のアイコン"));

    auto* text = new QVBoxLayout;
    const QString lines[] = {
        QString::fromUtf8(kProductTitle) + QStringLiteral(" Version 0.2"),
        QStringLiteral("Copyright © Quorvel の開発者"),
        QStringLiteral("Linux デスクトップ向けのポリゴンモデラー (Qt 6 / OpenGL)"),
        FormatsLine(),
    };
    for (const QString& line : lines) {
        auto* label = new QLabel(line, this);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->addWidget(label);
    }

    auto* body = new QHBoxLayout;
    body->addWidget(icon, 0, Qt::AlignTop);
    body->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
