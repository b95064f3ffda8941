#include "app/icon_check.h"

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>
#include <cstdio>

const char* const kIconsMissingMessage = "アイコンを表示できません: libqt6svg6 がありません";

bool IconDraws(const QIcon& icon, QSize size) {
    const QImage image =
        icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0) {
                return true;
            }
        }
    }
    return false;
}

bool CheckToolBarIcons(QMainWindow& window, const QToolBar& toolBar) {
    const QList<QAction*> actions = toolBar.actions();
    const auto first = std::find_if(actions.begin(), actions.end(),
                                    [](const QAction* action) { return !action->isSeparator(); });
    if (first == actions.end() || IconDraws((*first)->icon(), toolBar.iconSize())) {
        return true;
    }
    std::fprintf(stderr, "quorvel: %s\n", kIconsMissingMessage);
    auto* pane = new QLabel(QString::fromUtf8(kIconsMissingMessage), window.statusBar());
    pane->setAccessibleName(pane->text());
    window.statusBar()->insertPermanentWidget(0, pane);
    for (QToolBar* bar : window.findChildren<QToolBar*>()) {
        bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
    return false;
}
