#include "app/frame_panes.h"

#include <QStackedWidget>

#include "document/quorvel_document.h"

namespace {

QWidget* NamedPane(const QString& name, QWidget* parent) {
    auto* pane = new QWidget(parent);
    pane->setObjectName(name);
    pane->setAccessibleName(name);
    return pane;
}

}  // namespace

FramePanes CreateFramePanes(CQuorvelDoc&, QWidget* parent) {
    FramePanes panes;
    panes.propertyPane = new QStackedWidget(parent);
    panes.propertyPane->setAccessibleName(QStringLiteral("プロパティ"));
    const char* const pageNames[kPropertyPageCount] = {
        "空のページ", "オブジェクト", "材質", "選択", "平行移動", "回転", "スケーリング",
    };
    for (const char* name : pageNames) {
        panes.propertyPane->addWidget(NamedPane(QString::fromUtf8(name), panes.propertyPane));
    }
    panes.propertyPane->setCurrentIndex(PageEmpty);

    panes.displayBar = NamedPane(QStringLiteral("表示"), parent);
    panes.displayBar->setFixedHeight(kDisplayBarHeight);
    panes.objectList = NamedPane(QStringLiteral("オブジェクト一覧"), parent);
    panes.materialList = NamedPane(QStringLiteral("材質一覧"), parent);
    return panes;
}
