#include "app/frame_panes.h"

#include <QScrollArea>
#include <QStackedWidget>

#include "document/quorvel_document.h"
#include "panels/display_view.h"
#include "panels/material_property_view.h"
#include "panels/material_view.h"
#include "panels/model_property_view.h"
#include "panels/model_view.h"
#include "panels/tool_property_views.h"

namespace {

// A page taller than the pane scrolls instead of making the whole window
// taller; moving the focus with Tab scrolls the focused box into view.
QWidget* Scrollable(QWidget* page) {
    auto* area = new QScrollArea;
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    area->setFocusPolicy(Qt::NoFocus);
    area->setAccessibleName(page->accessibleName());
    return area;
}

}  // namespace

FramePanes CreateFramePanes(CQuorvelDoc& doc, QWidget* parent) {
    FramePanes panes;
    panes.propertyPane = new QStackedWidget(parent);
    panes.propertyPane->setAccessibleName(QStringLiteral("プロパティ"));
    // In PropertyPage order: the page number is the index in the stack.
    panes.propertyPane->addWidget(Scrollable(new CPropertyView(doc)));
    panes.propertyPane->addWidget(Scrollable(new CModelPropertyView(doc)));
    panes.propertyPane->addWidget(Scrollable(new CMaterialPropertyView(doc)));
    panes.propertyPane->addWidget(Scrollable(new CSelectPropertyView(doc)));
    panes.propertyPane->addWidget(Scrollable(new CMovePropertyView(doc)));
    panes.propertyPane->addWidget(Scrollable(new CRotatePropertyView(doc)));
    panes.propertyPane->addWidget(Scrollable(new CScalePropertyView(doc)));
    panes.propertyPane->setCurrentIndex(PageEmpty);

    panes.displayBar = new CDisplayView(doc, parent);
    panes.displayBar->setFixedHeight(kDisplayBarHeight);
    panes.objectList = new CModelView(doc, parent);
    panes.materialList = new CMaterialView(doc, parent);
    return panes;
}
