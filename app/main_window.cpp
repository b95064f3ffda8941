#include "app/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/product.h"
#include "app/quorvel_view.h"
#include "app/widget_prompts.h"
#include "document/document_commands.h"
#include "document/quorvel_document.h"
#include "document/recent_files.h"

namespace {

// Frames smaller than this, or minimised ones, keep their column widths.
constexpr int kRelayoutMinimumWidth = 450;
constexpr int kRelayoutMinimumHeight = 100;
// The part of the frame's height the list rows do not share.
constexpr int kListRowsReserve = 50;

// Only the bar between the two lists may be dragged; the column bars stay put.
void FixHandles(QSplitter* splitter) {
    for (int i = 1; i < splitter->count(); ++i) {
        splitter->handle(i)->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
}

QString FirstLocalFile(const QMimeData* data) {
    if (data == nullptr) {
        return {};
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            return url.toLocalFile();
        }
    }
    return {};
}

}  // namespace

CMainFrame::CMainFrame(CQuorvelDoc& doc, CDocumentPrompts* prompts, QWidget* parent)
    : QMainWindow(parent), doc_(doc), recent_(new CRecentFileList(this)) {
    if (prompts == nullptr) {
        ownPrompts_ = std::make_unique<CWidgetPrompts>(this);
        prompts = ownPrompts_.get();
    }
    commands_ = std::make_unique<CDocumentCommands>(doc_, *prompts, *recent_);
    CreateClient();
    ConnectDocument();
    setAcceptDrops(true);
    UpdateTitle();
    resize(1024, 768);
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateClient() {
    mainSplitter_ = new QSplitter(Qt::Horizontal, this);
    mainSplitter_->setAccessibleName(QStringLiteral("作業領域"));
    panes_ = CreateFramePanes(doc_, mainSplitter_);
    panes_.propertyPane->setMinimumWidth(kPropertyColumnWidth);

    auto* center = new QWidget(mainSplitter_);
    auto* centerLayout = new QVBoxLayout(center);
    centerLayout->setContentsMargins(0, 0, 0, 0);
    // The one-pixel line between the display bar and the view.
    centerLayout->setSpacing(1);
    view_ = new CQuorvelView(doc_.Scene(), center);
    view_->setAccessibleName(QStringLiteral("3D ビュー"));
    centerLayout->addWidget(panes_.displayBar);
    centerLayout->addWidget(view_, 1);

    listSplitter_ = new QSplitter(Qt::Vertical, mainSplitter_);
    listSplitter_->addWidget(panes_.objectList);
    listSplitter_->addWidget(panes_.materialList);
    listSplitter_->setChildrenCollapsible(false);

    mainSplitter_->addWidget(panes_.propertyPane);
    mainSplitter_->addWidget(center);
    mainSplitter_->addWidget(listSplitter_);
    mainSplitter_->setStretchFactor(0, 0);
    mainSplitter_->setStretchFactor(1, 1);
    mainSplitter_->setStretchFactor(2, 0);
    mainSplitter_->setCollapsible(0, false);
    mainSplitter_->setCollapsible(1, false);
    FixHandles(mainSplitter_);
    setCentralWidget(mainSplitter_);
}

void CMainFrame::ConnectDocument() {
    connect(&doc_, &CQuorvelDoc::propertyPageRequested, this, &CMainFrame::ShowPropertyPage);
    connect(&doc_, &CQuorvelDoc::viewsUpdateRequested, view_, [this](int hint) {
        if (hint == HintAll || hint == HintObjects || hint == HintMaterials) {
            view_->update();
        }
    });
    connect(&doc_, &CQuorvelDoc::pathChanged, this, &CMainFrame::UpdateTitle);
    connect(&doc_, &CQuorvelDoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
    connect(view_, &CQuorvelView::documentModified, &doc_, [this] { doc_.SetModifiedFlag(true); });
    connect(view_, &CQuorvelView::currentModelPicked, &doc_, &CQuorvelDoc::ModelPicked);
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(doc_.Title() + QStringLiteral("[*] - ") + QString::fromUtf8(kProductTitle));
    setWindowModified(doc_.IsModified());
}

int CMainFrame::CurrentPage() const {
    return panes_.propertyPane->currentIndex();
}

void CMainFrame::ShowPropertyPage(int page) {
    if (mainSplitter_ == nullptr || listSplitter_ == nullptr) {
        return;
    }
    QStackedWidget* pane = panes_.propertyPane;
    int hint = HintAll;
    switch (page) {
        case PageEmpty:
        case PageObject:
        case PageMaterial:
            pane->setCurrentIndex(page);
            hint = page == PageObject     ? HintObjects
                   : page == PageMaterial ? HintMaterials
                                          : HintAll;
            break;
        case PageSelect:
        case PageMove:
        case PageRotate:
        case PageScale:
            // A tool form is shown afresh even when it is up already, so it
            // repaints with the values the tool has now.
            if (pane->currentIndex() == page) {
                pane->currentWidget()->hide();
                pane->currentWidget()->show();
            } else {
                pane->setCurrentIndex(page);
            }
            break;
        default:
            break;
    }
    doc_.UpdateAllViews(hint);
}

void CMainFrame::RelayoutPanes() {
    const int handles = mainSplitter_->handleWidth() * (mainSplitter_->count() - 1);
    const int middle = mainSplitter_->width() - kPropertyColumnWidth - kListColumnWidth - handles;
    if (middle > 0) {
        mainSplitter_->setSizes({kPropertyColumnWidth, middle, kListColumnWidth});
    }
    RelayoutRows();
}

void CMainFrame::RelayoutRows() {
    const int objects = (height() - kListRowsReserve) / 2;
    const int materials = listSplitter_->height() - listSplitter_->handleWidth() - objects;
    if (objects > 0 && materials > 0) {
        listSplitter_->setSizes({objects, materials});
    }
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (event->size().width() > kRelayoutMinimumWidth &&
        event->size().height() > kRelayoutMinimumHeight && !isMinimized()) {
        RelayoutPanes();
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (commands_->SaveModified()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (!FirstLocalFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QString path = FirstLocalFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    activateWindow();
    // The save prompt and any error must not run inside the drop itself,
    // while the source still waits for its answer.
    QMetaObject::invokeMethod(
        this, [this, path] { commands_->OpenFile(path); }, Qt::QueuedConnection);
}
