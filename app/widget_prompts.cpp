#include "app/widget_prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "app/product.h"

namespace {

// Each filter shows its description alone; the patterns after it also accept
// compressed Metasequoia archives where Metasequoia documents are read.
const char* const kOpenFilters[] = {
    "全ての形式(*.qvl;*.mqo) (*.qvl *.mqo *.mqoz)",
    "Quorvelファイル(*.qvl) (*.qvl)",
    "Metasequoiaファイル(*.mqo) (*.mqo *.mqoz)",
};
const char* const kSaveFilters[] = {
    "Tamrix Quorvelファイル(*.qvl) (*.qvl)",
    "Metasequoiaファイル(*.mqo) (*.mqo)",
};
const char* const kNativeFilter = "Quorvel Files (*.qvl)";

QStringList Filters(std::initializer_list<const char*> filters) {
    QStringList list;
    for (const char* f : filters) {
        list << QString::fromUtf8(f);
    }
    return list;
}

QString Caption() {
    return QString::fromUtf8(kApplicationName);
}

}  // namespace

QString CWidgetPrompts::AskOpenPath() {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(Filters({kOpenFilters[0], kOpenFilters[1], kOpenFilters[2]}));
    dialog.setDefaultSuffix(QStringLiteral("qvl"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

QString CWidgetPrompts::AskSavePath(const QString& suggested, bool nativeOnly) {
    QFileDialog dialog(parent_);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    const QStringList filters =
        nativeOnly ? Filters({kNativeFilter}) : Filters({kSaveFilters[0], kSaveFilters[1]});
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("qvl"));
    // A name typed without extension takes the one of the format chosen.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString& filter) {
            dialog.setDefaultSuffix(filters.indexOf(filter) == 1 ? QStringLiteral("mqo")
                                                                 : QStringLiteral("qvl"));
        });
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

SaveChoice CWidgetPrompts::AskSaveChanges(const QString& title) {
    const auto answer = QMessageBox::question(
        parent_, Caption(), QStringLiteral("%1 への変更を保存しますか?").arg(title),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
        case QMessageBox::Yes:
            return SaveChoice::Yes;
        case QMessageBox::No:
            return SaveChoice::No;
        default:
            return SaveChoice::Cancel;
    }
}

void CWidgetPrompts::ShowError(const QString& message) {
    QMessageBox::warning(parent_, Caption(), message);
}

void CWidgetPrompts::ShowInformation(const QString& message) {
    QMessageBox::information(parent_, Caption(), message);
}
