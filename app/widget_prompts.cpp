#include "app/widget_prompts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/parameter_dialog.h"
#include "app/product.h"
#include "exchange/document_formats.h"
#include "panels/file_dialog_setup.h"

namespace {

// "Label (*.a *.b)": the dialogs show the label alone.
QString FilterText(const DialogFilter& filter) {
    QStringList patterns;
    for (const std::string& ext : filter.extensions) {
        patterns << QStringLiteral("*.") + QString::fromStdString(ext);
    }
    return QString::fromStdString(filter.label) + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

QString Caption() {
    return QString::fromUtf8(kApplicationName);
}

}  // namespace

QString CWidgetPrompts::AskOpenPath() {
    QFileDialog dialog(parent_, QStringLiteral("開く"));
    PrepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const DialogFilter& filter : OpenDialogFilters()) {
        filters << FilterText(filter);
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("qvl"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}

QString CWidgetPrompts::AskSavePath(const QString& suggested, bool nativeOnly) {
    QFileDialog dialog(parent_, QStringLiteral("名前を付けて保存"));
    PrepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    QStringList labels;
    QStringList suffixes;
    const std::vector<DialogFilter> formats =
        nativeOnly ? std::vector<DialogFilter>{NativeSaveFilter()} : SaveDialogFilters();
    for (const DialogFilter& format : formats) {
        filters << FilterText(format);
        labels << QString::fromStdString(format.label);
        suffixes << QString::fromStdString(format.extensions.front());
    }
    dialog.setNameFilters(filters);
    // A name typed without extension takes the one of the format chosen.
    // Depending on the Qt version the dialog names the chosen filter in full
    // or by the label it shows.
    auto chosenSuffix = [&dialog, filters, labels, suffixes] {
        const QString chosen = dialog.selectedNameFilter();
        const qsizetype index = std::max(filters.indexOf(chosen), labels.indexOf(chosen));
        return suffixes.value(index, suffixes.front());
    };
    dialog.setDefaultSuffix(suffixes.front());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, chosenSuffix] { dialog.setDefaultSuffix(chosenSuffix()); });
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    // A platform dialog may not apply the suffix itself.
    QString path = dialog.selectedFiles().first();
    if (QFileInfo(path).suffix().isEmpty()) {
        path += u'.' + chosenSuffix();
    }
    return path;
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

RecoveryAnswer CWidgetPrompts::AskRecovery(const QStringList& autosaves) {
    QDialog dialog(parent_);
    dialog.setWindowTitle(Caption());
    auto* layout = new QVBoxLayout(&dialog);
    auto* label =
        new QLabel(QStringLiteral("前回、正常に終了しなかったときの自動保存が残っています。\n"
                                  "復元するドキュメントを選んでください。"),
                   &dialog);
    auto* list = new QListWidget(&dialog);
    list->setAccessibleName(QStringLiteral("自動保存されたドキュメント"));
    list->addItems(autosaves);
    list->setCurrentRow(0);
    label->setBuddy(list);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* recover =
        buttons->addButton(QStringLiteral("復元(&R)"), QDialogButtonBox::AcceptRole);
    QPushButton* discard =
        buttons->addButton(QStringLiteral("すべて削除(&D)"), QDialogButtonBox::DestructiveRole);
    buttons->addButton(QStringLiteral("後で(&L)"), QDialogButtonBox::RejectRole);
    recover->setDefault(true);
    layout->addWidget(label);
    layout->addWidget(list);
    layout->addWidget(buttons);
    RecoveryAnswer answer;
    QObject::connect(recover, &QPushButton::clicked, &dialog, [&] {
        answer.recover = list->currentRow();
        dialog.accept();
    });
    QObject::connect(discard, &QPushButton::clicked, &dialog, [&] {
        const auto sure = QMessageBox::question(
            &dialog, Caption(), QStringLiteral("自動保存されたドキュメントをすべて削除しますか?"));
        if (sure == QMessageBox::Yes) {
            answer.discard = true;
            dialog.accept();
        }
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemActivated, recover, &QPushButton::click);
    dialog.exec();
    return answer;
}

std::optional<Values> CWidgetPrompts::AskParameters(const QString& title,
                                                    const std::vector<ParamSpec>& params,
                                                    const Values& initial) {
    return AskParameterValues(parent_, title, params, initial);
}

StrandedTextureChoice CWidgetPrompts::AskStrandedTextures(const QStringList& files) {
    QMessageBox box(QMessageBox::Question, Caption(),
                    QStringLiteral("保存先のフォルダからは次のテクスチャが見つかりません。\n"
                                   "ドキュメントと同じフォルダにコピーしますか?"),
                    QMessageBox::NoButton, parent_);
    box.setDetailedText(files.join(u'\n'));
    QPushButton* copy = box.addButton(QStringLiteral("コピーする(&C)"), QMessageBox::AcceptRole);
    QPushButton* keep =
        box.addButton(QStringLiteral("名前をそのままにする(&K)"), QMessageBox::DestructiveRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(copy);
    box.exec();
    if (box.clickedButton() == copy) {
        return StrandedTextureChoice::Copy;
    }
    return box.clickedButton() == keep ? StrandedTextureChoice::Keep
                                       : StrandedTextureChoice::Cancel;
}

void CWidgetPrompts::ShowError(const QString& message) {
    QMessageBox::warning(parent_, Caption(), message);
}

void CWidgetPrompts::ShowInformation(const QString& message) {
    QMessageBox::information(parent_, Caption(), message);
}
