#include "app/main_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/about_dialog.h"
#include "app/app_resources.h"
#include "app/desktop_registration.h"
#include "app/lock_indicators.h"
#include "app/product.h"
#include "app/quorvel_view.h"
#include "app/widget_prompts.h"
#include "app/window_size.h"
#include "document/clipboard_edits.h"
#include "document/document_commands.h"
#include "document/quorvel_document.h"
#include "document/recent_files.h"
#include "edit/gizmo.h"
#include "history/clipboard.h"
#include "scene/cp932.h"
#include "view/scene_framing.h"

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

// The widget of `pane` that takes the focus when the pane is entered.
QWidget* FocusTarget(QWidget* pane) {
    if (!pane->isVisible()) {
        return nullptr;
    }
    if (pane->focusPolicy() & Qt::TabFocus) {
        return pane;
    }
    for (QWidget* child : pane->findChildren<QWidget*>()) {
        if (child->isVisible() && child->isEnabled() && (child->focusPolicy() & Qt::TabFocus)) {
            return child;
        }
    }
    return nullptr;
}

// Faces on the clipboard under a type of our own, and as plain text for
// editors and other programs.
const QString kFacesMimeType = QStringLiteral("application/x-quorvel-faces");

// The clipboard's document text; of plain text only the first `prefix`
// characters when given, enough to tell whether it can be pasted.
QByteArray ClipboardFaces(qsizetype prefix = -1) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr) {
        return {};
    }
    if (data->hasFormat(kFacesMimeType)) {
        return data->data(kFacesMimeType);
    }
    QString text = data->text();
    if (prefix >= 0 && text.size() > prefix) {
        text.truncate(prefix);
    }
    // Text from an editor is Unicode; the document text names in Shift-JIS.
    return QByteArray::fromStdString(Utf8ToCp932(text.toStdString()));
}

// "元に戻す: 移動(&U)", or the bare command when there is no step.
QString StepCommandText(const char* command, const std::string& step, char mnemonic) {
    QString text = QString::fromUtf8(command);
    if (!step.empty()) {
        text += QStringLiteral(": ") + QString::fromStdString(step);
    }
    return text + QStringLiteral("(&%1)").arg(QLatin1Char(mnemonic));
}

QString RecentFileLabel(int index, const QString& path) {
    QString shown = QDir::toNativeSeparators(path);
    const QString home = QDir::homePath();
    if (shown.startsWith(home + u'/')) {
        shown = u'~' + shown.mid(home.size());
    }
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

}  // namespace

CMainFrame::CMainFrame(CQuorvelDoc& doc, CDocumentPrompts* prompts, QWidget* parent)
    : QMainWindow(parent),
      doc_(doc),
      prompts_(prompts),
      recent_(new CRecentFileList(this)),
      actions_(CreateFrameActions(this)) {
    InitAppResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvel.svg")));
    if (prompts_ == nullptr) {
        ownPrompts_ = std::make_unique<CWidgetPrompts>(this);
        prompts_ = ownPrompts_.get();
    }
    commands_ = std::make_unique<CDocumentCommands>(doc_, *prompts_, *recent_);
    CreateClient();
    CreateMenus();
    fileToolBar_ =
        CreateToolBar(QStringLiteral("標準"),
                      {actions_.newDocument, actions_.open, actions_.save, nullptr, actions_.cut,
                       actions_.copy, actions_.paste, nullptr, actions_.vertexSelectable,
                       actions_.edgeSelectable, actions_.faceSelectable, nullptr, actions_.about});
    addToolBarBreak();
    QList<QAction*> tools;
    for (const ToolCommand& tool : actions_.tools) {
        tools << tool.action;
    }
    // Select and range, the three transforms, then the two face tools.
    tools.insert(5, nullptr);
    tools.insert(2, nullptr);
    toolToolBar_ = CreateToolBar(QStringLiteral("ツール"), tools);
    CreateStatusBar();
    ConnectActions();
    ConnectDocument();
    UpdateCommandStates();
    UpdatePasteCommand();
    setAcceptDrops(true);
    UpdateTitle();
    ResizeWithinScreen(*this, {1024, 768});
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::CreateClient() {
    mainSplitter_ = new QSplitter(Qt::Horizontal, this);
    mainSplitter_->setAccessibleName(QStringLiteral("作業領域"));
    panes_ = CreateFramePanes(doc_, mainSplitter_);
    panes_.propertyPane->setMinimumWidth(kPropertyColumnWidth);

    auto* center = new QWidget(mainSplitter_);
    center->setAccessibleName(QStringLiteral("3D ビューと表示バー"));
    auto* centerLayout = new QVBoxLayout(center);
    centerLayout->setContentsMargins(0, 0, 0, 0);
    // The one-pixel line between the display bar and the view.
    centerLayout->setSpacing(1);
    view_ = new CQuorvelView(doc_, center);
    view_->setAccessibleName(QStringLiteral("3D ビュー"));
    centerLayout->addWidget(panes_.displayBar);
    centerLayout->addWidget(view_, 1);

    listSplitter_ = new QSplitter(Qt::Vertical, mainSplitter_);
    listSplitter_->setAccessibleName(QStringLiteral("オブジェクトと材質"));
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

void CMainFrame::CreateMenus() {
    fileMenu_ = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    fileMenu_->addActions({actions_.newDocument, actions_.open, actions_.save, actions_.saveAs});
    fileMenu_->addSeparator();
    recentFilesEnd_ = fileMenu_->addSeparator();
    fileMenu_->addAction(actions_.exit);
    UpdateRecentFilesMenu();

    QMenu* edit = menuBar()->addMenu(QStringLiteral("編集(&E)"));
    edit->addActions({actions_.undo, actions_.redo});
    edit->addSeparator();
    edit->addActions({actions_.cut, actions_.copy, actions_.paste});

    QMenu* view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    view->addAction(actions_.statusBar);
    view->addSeparator();
    view->addAction(actions_.frameWholeScene);

    QMenu* help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(actions_.removeRegistration);
    help->addSeparator();
    help->addAction(actions_.about);

    addActions({actions_.nextPane, actions_.previousPane});
}

QToolBar* CMainFrame::CreateToolBar(const QString& title, const QList<QAction*>& actions) {
    QToolBar* bar = addToolBar(title);
    bar->setObjectName(title);
    bar->setIconSize(QSize(16, 15));
    for (QAction* action : actions) {
        if (action == nullptr) {
            bar->addSeparator();
            continue;
        }
        bar->addAction(action);
        // Reachable with Tab, and read out by the tip a pointer would show.
        QWidget* button = bar->widgetForAction(action);
        button->setFocusPolicy(Qt::TabFocus);
        button->setAccessibleName(action->toolTip());
    }
    return bar;
}

void CMainFrame::CreateStatusBar() {
    QStatusBar* bar = statusBar();
    const QString ready = QStringLiteral("レディ");
    // The prompt of a hovered command gives way to the idle text again.
    connect(bar, &QStatusBar::messageChanged, bar, [bar, ready](const QString& message) {
        if (message.isEmpty()) {
            bar->showMessage(ready);
        }
    });
    bar->showMessage(ready);
    new CLockIndicators(bar);
    actions_.statusBar->setChecked(true);
}

void CMainFrame::ConnectActions() {
    connect(actions_.newDocument, &QAction::triggered, this, [this] { commands_->New(); });
    connect(actions_.open, &QAction::triggered, this, [this] { commands_->Open(); });
    connect(actions_.save, &QAction::triggered, this, [this] { commands_->Save(); });
    connect(actions_.saveAs, &QAction::triggered, this, [this] { commands_->SaveAs(); });
    connect(actions_.exit, &QAction::triggered, this, &QWidget::close);
    connect(actions_.undo, &QAction::triggered, &doc_, &CQuorvelDoc::Undo);
    connect(actions_.redo, &QAction::triggered, &doc_, &CQuorvelDoc::Redo);
    connect(actions_.copy, &QAction::triggered, this,
            [this] { CopyToClipboard(CopySelectedFaces(doc_.Scene())); });
    connect(actions_.cut, &QAction::triggered, this, &CMainFrame::Cut);
    connect(actions_.paste, &QAction::triggered, this, &CMainFrame::Paste);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdatePasteCommand);
    connect(actions_.statusBar, &QAction::toggled, statusBar(), &QWidget::setVisible);
    connect(actions_.frameWholeScene, &QAction::triggered, this, [this] {
        FrameWholeScene(doc_.Scene());
        view_->update();
    });
    connect(actions_.removeRegistration, &QAction::triggered, this, [this] {
        UnregisterForUser();
        prompts_->ShowInformation(QStringLiteral("レジストリ情報を削除しました！"));
    });
    connect(actions_.about, &QAction::triggered, this, [this] { CAboutDlg(this).exec(); });
    connect(actions_.nextPane, &QAction::triggered, this, [this] { FocusPane(1); });
    connect(actions_.previousPane, &QAction::triggered, this, [this] { FocusPane(-1); });

    const auto toggle = [this](QAction* action, bool CCentigrade::*flag) {
        connect(action, &QAction::triggered, this, [this, flag] {
            doc_.Scene().*flag = !(doc_.Scene().*flag);
            UpdateCommandStates();
        });
    };
    toggle(actions_.vertexSelectable, &CCentigrade::vertexSelectable);
    toggle(actions_.edgeSelectable, &CCentigrade::edgeSelectable);
    toggle(actions_.faceSelectable, &CCentigrade::faceSelectable);
    for (const ToolCommand& tool : actions_.tools) {
        connect(tool.action, &QAction::triggered, this, [this, tool] { RunTool(tool); });
    }
    connect(recent_, &CRecentFileList::changed, this, &CMainFrame::UpdateRecentFilesMenu);
}

void CMainFrame::RunTool(const ToolCommand& tool) {
    CCentigrade& scene = doc_.Scene();
    scene.toolMode = tool.toolMode;
    ShowPropertyPage(tool.page);
    if (IsManipulatorTool(tool.toolMode)) {
        UpdateGizmo(scene);
        view_->update();
    }
    UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates() {
    const CCentigrade& scene = doc_.Scene();
    for (const ToolCommand& tool : actions_.tools) {
        tool.action->setChecked(scene.toolMode == tool.toolMode);
    }
    actions_.vertexSelectable->setChecked(scene.vertexSelectable);
    actions_.edgeSelectable->setChecked(scene.edgeSelectable);
    actions_.faceSelectable->setChecked(scene.faceSelectable);
    UpdateEditCommands();
}

void CMainFrame::UpdateEditCommands() {
    const EditHistory& history = doc_.History();
    actions_.undo->setEnabled(history.CanUndo());
    actions_.undo->setText(StepCommandText("元に戻す", history.UndoName(), 'U'));
    actions_.redo->setEnabled(history.CanRedo());
    actions_.redo->setText(StepCommandText("やり直し", history.RedoName(), 'R'));
    const bool selected = selection_.Count(doc_.Scene()).faces > 0;
    actions_.cut->setEnabled(selected);
    actions_.copy->setEnabled(selected);
}

void CMainFrame::UpdatePasteCommand() {
    // Long enough for the document signature.
    const QByteArray text = ClipboardFaces(64);
    actions_.paste->setEnabled(IsPasteableText(std::string_view(text.constData(), text.size())));
}

void CMainFrame::CopyToClipboard(const std::string& text) {
    if (text.empty()) {
        return;
    }
    auto* data = new QMimeData;
    const QByteArray bytes = QByteArray::fromStdString(text);
    data->setData(kFacesMimeType, bytes);
    // Object and material names are Shift-JIS bytes; editors get them readable.
    data->setText(QString::fromStdString(Cp932ToUtf8(text)));
    QGuiApplication::clipboard()->setMimeData(data);
}

void CMainFrame::Cut() {
    CopyToClipboard(CutFaces(doc_));
}

void CMainFrame::Paste() {
    const QByteArray text = ClipboardFaces();
    if (const std::string failure =
            PasteFaceText(doc_, std::string_view(text.constData(), text.size()));
        !failure.empty()) {
        prompts_->ShowError(
            QStringLiteral("貼り付けられませんでした。\n%1").arg(QString::fromStdString(failure)));
    }
}

void CMainFrame::UpdateRecentFilesMenu() {
    for (QAction* action : recentFileActions_) {
        fileMenu_->removeAction(action);
        if (action != actions_.recentFilesPlaceholder) {
            action->deleteLater();
        }
    }
    recentFileActions_.clear();
    const QStringList& files = recent_->Files();
    for (int i = 0; i < files.size(); ++i) {
        auto* action = new QAction(RecentFileLabel(i, files[i]), this);
        action->setStatusTip(actions_.recentFilesPlaceholder->statusTip());
        connect(action, &QAction::triggered, this, [this, path = files[i]] {
            // A file that has gone leaves the list; one the user kept open
            // instead, or that failed to read, stays.
            if (!commands_->OpenFile(path) && !QFileInfo::exists(path)) {
                recent_->Remove(path);
            }
        });
        recentFileActions_ << action;
    }
    if (recentFileActions_.isEmpty()) {
        recentFileActions_ << actions_.recentFilesPlaceholder;
    }
    fileMenu_->insertActions(recentFilesEnd_, recentFileActions_);
}

void CMainFrame::FocusPane(int step) {
    const QList<QWidget*> ring = {panes_.propertyPane, panes_.displayBar, view_, panes_.objectList,
                                  panes_.materialList};
    const int count = static_cast<int>(ring.size());
    int current = step > 0 ? -1 : 0;
    if (QWidget* focus = QApplication::focusWidget()) {
        for (int i = 0; i < count; ++i) {
            if (ring[i] == focus || ring[i]->isAncestorOf(focus)) {
                current = i;
            }
        }
    }
    for (int n = 1; n <= count; ++n) {
        QWidget* pane = ring[((current + step * n) % count + count) % count];
        if (QWidget* target = FocusTarget(pane)) {
            target->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void CMainFrame::ConnectDocument() {
    connect(&doc_, &CQuorvelDoc::propertyPageRequested, this, &CMainFrame::ShowPropertyPage);
    connect(&doc_, &CQuorvelDoc::viewsUpdateRequested, view_, [this](int hint) {
        if (hint == HintAll || hint == HintObjects || hint == HintMaterials) {
            view_->update();
        }
        UpdateCommandStates();
    });
    connect(&doc_, &CQuorvelDoc::pathChanged, this, &CMainFrame::UpdateTitle);
    connect(&doc_, &CQuorvelDoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
    connect(&doc_, &CQuorvelDoc::historyChanged, this, &CMainFrame::UpdateEditCommands);
    connect(view_, &CQuorvelView::leftButtonReleased, this, &CMainFrame::UpdateEditCommands);
    connect(&doc_, &CQuorvelDoc::autosaveFailed, this,
            [this](const QString& message) { statusBar()->showMessage(message, 10000); });
    connect(view_, &CQuorvelView::documentModified, &doc_, [this] { doc_.SetModifiedFlag(true); });
    connect(view_, &CQuorvelView::currentModelPicked, &doc_, &CQuorvelDoc::ModelPicked);
    // Panel edits change the scene in place: the view draws it again.
    connect(&doc_, &CQuorvelDoc::redrawRequested, view_, qOverload<>(&QWidget::update));
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
        doc_.Closed();
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
