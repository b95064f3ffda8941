#include "app/main_frame.h"

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
#include "app/command_actions.h"
#include "app/desktop_registration.h"
#include "app/lock_indicators.h"
#include "app/product.h"
#include "app/quorvel_view.h"
#include "app/widget_prompts.h"
#include "app/window_size.h"
#include "commands/command_table.h"
#include "document/document_commands.h"
#include "document/load_messages.h"
#include "document/quorvel_document.h"
#include "document/recent_files.h"
#include "scene/cp932.h"

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

// The clipboard's document text.
std::string ClipboardFaces() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (data == nullptr) {
        return {};
    }
    if (data->hasFormat(kFacesMimeType)) {
        return data->data(kFacesMimeType).toStdString();
    }
    // Text from an editor is Unicode; the document text names in Shift-JIS.
    return Utf8ToCp932(data->text().toStdString());
}

QString CommandTitle(const CommandSpec& spec) {
    return WithoutMnemonic(spec.text);
}

// The parameters the window asks the user for; the others come from the
// selection or keep their fallbacks. A list of objects is chosen by name.
std::vector<ParamSpec> AskedParameters(const CommandSpec& spec, const CCentigrade& scene) {
    std::vector<ParamSpec> asked;
    for (const ParamSpec& param : spec.params) {
        if (param.label.empty()) {
            continue;
        }
        asked.push_back(param);
        if (param.kind == ParamKind::IntList && param.name == "objects") {
            for (const CModel& model : scene.models) {
                asked.back().choices.push_back(Cp932ToUtf8(model.name));
            }
        }
    }
    return asked;
}

int ToolPage(int toolMode) {
    switch (toolMode) {
        case ToolSelect:
            return PageSelect;
        case ToolMove:
            return PageMove;
        case ToolRotate:
            return PageRotate;
        case ToolScale:
            return PageScale;
        default:
            return PageEmpty;
    }
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
    : QMainWindow(parent), doc_(doc), prompts_(prompts), recent_(new CRecentFileList(this)) {
    InitAppResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/quorvel.svg")));
    if (prompts_ == nullptr) {
        ownPrompts_ = std::make_unique<CWidgetPrompts>(this);
        prompts_ = ownPrompts_.get();
    }
    commands_ = std::make_unique<CDocumentCommands>(doc_, *prompts_, *recent_);
    CreateClient();
    CreateCommands();
    CreateStatusBar();
    ConnectDocument();
    MirrorClipboard();
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
    // In the window the table's view commands own the preset keys: two
    // actions on one key would both stay silent.
    for (QAction* preset : view_->ViewPresetActions()) {
        view_->removeAction(preset);
    }
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

void CMainFrame::CreateCommands() {
    actions_ = new CommandActions(*this, [this](const CommandSpec& spec) { RunCommand(spec); });
    BindWindowCommands();
    actions_->AddBars(*this);
    // The recent files take the place of their entry, up to the separator after it.
    const QList<QAction*> file = FileMenu()->actions();
    recentFilesEnd_ = file.value(file.indexOf(Action("file.recent")) + 1);
    UpdateRecentFilesMenu();
}

void CMainFrame::BindWindowCommands() {
    actions_->Bind("file.new", [this] { commands_->New(); });
    actions_->Bind("file.open", [this] { commands_->Open(); });
    actions_->Bind("file.save", [this] { commands_->Save(); });
    actions_->Bind("file.save_as", [this] { commands_->SaveAs(); });
    actions_->Bind("file.exit", [this] { close(); });
    actions_->Bind("view.status_bar", [this] {
        statusBar()->setVisible(statusBar()->isHidden());
        UpdateCommandStates();
    });
    actions_->Bind("help.remove_registration", [this] {
        UnregisterForUser();
        prompts_->ShowInformation(QStringLiteral("レジストリ情報を削除しました！"));
    });
    actions_->Bind("help.about", [this] { CAboutDlg(this).exec(); });
    actions_->Bind("pane.next", [this] { FocusPane(1); });
    actions_->Bind("pane.previous", [this] { FocusPane(-1); });
    connect(recent_, &CRecentFileList::changed, this, &CMainFrame::UpdateRecentFilesMenu);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::MirrorClipboard);
}

QAction* CMainFrame::Action(std::string_view id) const {
    return actions_->Action(id);
}

QMenu* CMainFrame::Menu(std::string_view bar) const {
    return actions_->Menu(bar);
}

QToolBar* CMainFrame::ToolBar(std::string_view bar) const {
    return actions_->ToolBar(bar);
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
}

void CMainFrame::RunCommand(const CommandSpec& spec) {
    Values values;
    if (const std::vector<ParamSpec> asked = AskedParameters(spec, doc_.Scene()); !asked.empty()) {
        std::optional<Values> answer =
            prompts_->AskParameters(CommandTitle(spec), asked, lastOptions_[spec.id]);
        if (!answer) {
            return;
        }
        lastOptions_[spec.id] = *answer;
        values = std::move(*answer);
    }
    const CommandOutcome outcome = doc_.Run(spec.id, values);
    if (outcome.refusal) {
        prompts_->ShowError(
            QStringLiteral("「%1」を実行できませんでした。\n%2")
                .arg(CommandTitle(spec),
                     QString::fromStdString(outcome.refusal->Message(Language::Japanese))));
    }
    if (outcome.report.clipboard) {
        CopyToClipboard(doc_.Session().Clipboard());
    }
    // A tool chosen again shows its page afresh; a new tool's page follows toolChanged.
    if (outcome.Done() && !spec.exclusiveGroup.empty() && !outcome.report.tool) {
        ShowToolPage(doc_.Scene().toolMode);
    }
}

void CMainFrame::ShowToolPage(int toolMode) {
    ShowPropertyPage(ToolPage(toolMode));
}

void CMainFrame::UpdateCommandStates() {
    CommandState state = doc_.Session().State();
    state.statusBarShown = !statusBar()->isHidden();
    actions_->Update(state);
}

void CMainFrame::MirrorClipboard() {
    doc_.Session().SetClipboard(ClipboardFaces());
    UpdateCommandStates();
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

void CMainFrame::UpdateRecentFilesMenu() {
    for (QAction* action : recentFileActions_) {
        FileMenu()->removeAction(action);
        if (action != Action("file.recent")) {
            action->deleteLater();
        }
    }
    recentFileActions_.clear();
    const QStringList& files = recent_->Files();
    for (int i = 0; i < files.size(); ++i) {
        auto* action = new QAction(RecentFileLabel(i, files[i]), this);
        action->setStatusTip(Action("file.recent")->statusTip());
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
        recentFileActions_ << Action("file.recent");
    }
    FileMenu()->insertActions(recentFilesEnd_, recentFileActions_);
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
    connect(&doc_, &CQuorvelDoc::pathChanged, this, &CMainFrame::UpdateTitle);
    connect(&doc_, &CQuorvelDoc::modifiedChanged, this, &CMainFrame::UpdateTitle);
    // Commands, panel edits and view edits all end here: the view and the
    // menus follow.
    connect(&doc_, &CQuorvelDoc::changed, this, [this](const ChangeReport& report) {
        if (report.Visible()) {
            view_->update();
        }
        UpdateCommandStates();
    });
    connect(&doc_, &CQuorvelDoc::historyChanged, this, &CMainFrame::UpdateCommandStates);
    connect(&doc_, &CQuorvelDoc::toolChanged, this, &CMainFrame::ShowToolPage);
    connect(&doc_, &CQuorvelDoc::textureFailed, this,
            [this](const QString& message) { prompts_->ShowError(message); });
    connect(&doc_, &CQuorvelDoc::autosaveFailed, this,
            [this](const QString& message) { statusBar()->showMessage(message, 10000); });
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
    switch (page) {
        case PageEmpty:
        case PageObject:
        case PageMaterial:
            pane->setCurrentIndex(page);
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
    view_->update();
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
