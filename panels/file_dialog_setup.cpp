#include "panels/file_dialog_setup.h"

#include <QAccessibleWidget>
#include <QFileDialog>
#include <QListView>
#include <mutex>

namespace {

bool IsFileDialogList(QObject* object) {
    auto* list = qobject_cast<QListView*>(object);
    if (!list || list->objectName() != QLatin1String("listView")) {
        return false;
    }
    for (QWidget* w = list->parentWidget(); w; w = w->parentWidget()) {
        if (qobject_cast<QFileDialog*>(w)) {
            return true;
        }
    }
    return false;
}

QAccessibleInterface* FileDialogListAccessible(const QString&, QObject* object) {
    if (!IsFileDialogList(object)) {
        return nullptr;
    }
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::List);
}

}  // namespace

void PrepareFileDialog(QFileDialog& dialog) {
    static std::once_flag installed;
    std::call_once(installed, [] { QAccessible::installFactory(FileDialogListAccessible); });
    dialog.setViewMode(QFileDialog::Detail);
}
