// Undo and redo, the clipboard, autosave, recovery and the backup on save,
// driven through the main window's widgets and menu actions.
#include <signal.h>
#include <sys/resource.h>

#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QToolBar>
#include <QtTest>
#include <optional>

#include "app/gl_format.h"
#include "app/main_frame.h"
#include "app/quorvel_view.h"
#include "commands/command_table.h"
#include "document/document_commands.h"
#include "document/quorvel_document.h"
#include "exchange/document_files.h"
#include "history/clipboard.h"
#include "panels/axis_boxes.h"
#include "panels/commit_line_edit.h"
#include "panels/material_property_view.h"
#include "panels/model_view.h"
#include "panels/tool_property_views.h"
#include "private_home.h"
#include "scene/native_document.h"
#include "scripted_prompts.h"
#include "shown_frame.h"
#include "support/mesh_generators.h"
#include "view/manipulator_tables.h"
#include "view_test_support.h"

namespace {

const QString kSampleMqo = QStringLiteral(QUORVEL_SOURCE_DIR "/samples/sample.mqo");
const char* const kChildArgument = "--autosave-then-hang";
// Written by the child once it has autosaved and is in the middle of a drag.
const QString kChildMarker = QStringLiteral("autosaved-and-dragging");

// The window on a document of one model with a material.
struct ShownModelFrame : ShownFrame {
    explicit ShownModelFrame(CModel model = MakeCube(200))
        : ShownFrame([&model](CQuorvelDoc& doc) {
              doc.Scene().materials.push_back(CMaterial(0));
              doc.Scene().models.push_back(std::move(model));
              doc.Scene().ComputeAllNormals();
              doc.Replaced();
          }) {}
    void ChooseTool(int toolMode) {
        QTest::mouseClick(
            frame.ToolToolBar()->widgetForAction(frame.Action(ToolCommandId(toolMode))),
            Qt::LeftButton);
    }
    template <typename Form>
    Form* Page(int page) {
        return frame.Panes().propertyPane->widget(page)->findChild<Form*>();
    }
};

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

// Presses on the x arrow's head and moves the pointer `dx` pixels; the
// release follows only with `release`.
void DragXArrow(ShownModelFrame& shown, int dx, bool release = true) {
    CVector head = handleArrowPoints[0];
    head += handleArrowPoints[4];
    head = CVector(head.x / 2, head.y / 2, head.z / 2);
    QPoint at;
    QVERIFY(ProjectManipulatorPoint(shown.Scene(), head, at));
    QWidget* view = shown.frame.View();
    SendMouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, at + QPoint(dx / 2, 0), Qt::NoButton, Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, at + QPoint(dx, 0), Qt::NoButton, Qt::LeftButton);
    if (release) {
        SendMouse(view, QEvent::MouseButtonRelease, at + QPoint(dx, 0), Qt::LeftButton,
                  Qt::NoButton);
    }
}

void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

// What the history must bring back: positions, faces, materials' colours.
struct Shape {
    std::vector<float> positions;
    std::vector<std::size_t> faces;
    std::vector<float> reds;
    std::size_t materials = 0;
    friend bool operator==(const Shape&, const Shape&) = default;
};

Shape ShapeOf(const CCentigrade& scene) {
    Shape shape;
    for (const CModel& model : scene.models) {
        for (const CVector& v : model.vertices) {
            shape.positions.insert(shape.positions.end(), {v.x, v.y, v.z});
        }
        shape.faces.push_back(model.faces.size());
    }
    for (const CMaterial& material : scene.materials) {
        shape.reds.push_back(material.red);
    }
    shape.materials = scene.materials.size();
    return shape;
}

Shape ShapeOfFile(const std::filesystem::path& file) {
    CCentigrade scene;
    LoadNativeDocument(file, scene);
    return ShapeOf(scene);
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString Native(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

void SelectFaces(ShownModelFrame& shown, std::initializer_list<std::size_t> faces) {
    CModel& model = shown.Scene().models[0];
    for (std::size_t f : faces) {
        model.faces[f].selected = true;
        for (int i : model.faces[f].indices) {
            model.vertices[static_cast<std::size_t>(i)].mark = true;
        }
    }
    model.TouchSelection();
    shown.doc.Replaced();
}

// Run as a child: a modified document autosaved every second, then a drag
// left unfinished until the parent kills the process.
int AutosaveThenHang(const QString& document) {
    ShownModelFrame shown;
    shown.doc.SetPathName(document);
    shown.doc.StartAutosaving(DefaultAutosaveFolder(), 1);
    SelectFaces(shown, {0});
    shown.doc.Run("edit.move", {{"by", CVector(0, 25, 0)}});
    if (!QTest::qWaitFor([&] { return std::filesystem::exists(shown.doc.AutosaveFile()); },
                         10000)) {
        return 1;
    }
    shown.doc.WaitForAutosave();
    shown.ChooseTool(ToolMove);
    DragXArrow(shown, 30, false);
    QFile marker(kChildMarker);
    marker.open(QIODevice::WriteOnly);
    QTest::qWait(60000);
    return 1;
}

}  // namespace

class WorkSafetyTest : public QObject {
    Q_OBJECT

private slots:
    void everyEditIsOneStepUndoneAndRedoneThroughTheMenu() {
        ShownModelFrame shown;
        QVERIFY(!shown.frame.Action("edit.undo")->isEnabled() &&
                !shown.frame.Action("edit.redo")->isEnabled());
        const Shape start = ShapeOf(shown.Scene());

        SelectFaces(shown, {0});
        shown.ChooseTool(ToolMove);
        DragXArrow(shown, 10);
        QVERIFY(ShapeOf(shown.Scene()) != start);
        QCOMPARE(shown.frame.Action("edit.undo")->text(), QStringLiteral("元に戻す: 移動(&U)"));

        Type(shown.Page<CMovePropertyView>(PageMove)->Relative().Box(Axis::Y), "7");
        shown.ChooseTool(ToolRotate);
        Type(shown.Page<CRotatePropertyView>(PageRotate)->Amounts().Box(Axis::Z), "30");
        QCOMPARE(shown.frame.Action("edit.undo")->text(), QStringLiteral("元に戻す: 回転(&U)"));

        shown.ChooseTool(ToolDeleteFace);
        const QPoint centre(shown.frame.View()->width() / 2, shown.frame.View()->height() / 2);
        QTest::mouseClick(shown.frame.View(), Qt::LeftButton, {}, centre);
        QCOMPARE(shown.Scene().models[0].faces.size(), std::size_t{5});

        shown.Scene().currentMaterial = 0;
        shown.frame.ShowPropertyPage(PageMaterial);
        QLineEdit* red =
            shown.Page<CMaterialPropertyView>(PageMaterial)->ValueBox(MaterialValue::Red);
        const QString redBefore = red->text();
        Type(red, "0.25");
        QCOMPARE(shown.Scene().materials[0].red, 0.25f);

        shown.prompts.openPaths = {kSampleMqo};
        shown.frame.Action("file.open")->trigger();
        QVERIFY(shown.Scene().models.size() > 1);
        const Shape end = ShapeOf(shown.Scene());

        const QStringList names = {"読み込み", "材質の変更", "面削除", "回転", "移動", "移動"};
        for (const QString& name : names) {
            QCOMPARE(shown.frame.Action("edit.undo")->text(),
                     QStringLiteral("元に戻す: %1(&U)").arg(name));
            QVERIFY(shown.frame.Action("edit.undo")->isEnabled());
            shown.frame.Action("edit.undo")->trigger();
            QCOMPARE(shown.frame.Action("edit.redo")->text(),
                     QStringLiteral("やり直し: %1(&R)").arg(name));
        }
        QVERIFY(!shown.frame.Action("edit.undo")->isEnabled());
        QCOMPARE(shown.frame.Action("edit.undo")->text(), QStringLiteral("元に戻す(&U)"));
        QVERIFY(ShapeOf(shown.Scene()) == start);
        QVERIFY(!shown.doc.IsModified());
        // The form shows the value the material has again.
        QCOMPARE(red->text(), redBefore);

        shown.frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.frame));
        while (shown.frame.Action("edit.redo")->isEnabled()) {
            QTest::keyClick(&shown.frame, Qt::Key_Y, Qt::ControlModifier);
        }
        QVERIFY(ShapeOf(shown.Scene()) == end);
        QVERIFY(shown.doc.IsModified());
    }

    void theSavedStateIsCleanAndNewOrOpenStartsAfresh() {
        QTemporaryDir dir;
        ShownModelFrame shown;
        const QString path = dir.filePath(QStringLiteral("cube.qvl"));
        shown.prompts.savePaths = {path};
        shown.frame.Action("file.save_as")->trigger();
        const QByteArray first = Contents(path);
        SelectFaces(shown, {0});
        shown.doc.Run("edit.move", {{"by", CVector(5, 0, 0)}});
        QVERIFY(shown.doc.IsModified() && shown.frame.isWindowModified());
        shown.frame.Action("edit.undo")->trigger();
        QVERIFY(!shown.doc.IsModified() && !shown.frame.isWindowModified());
        shown.frame.Action("edit.redo")->trigger();
        QVERIFY(shown.doc.IsModified());

        // Saving over the file keeps the previous one beside it.
        shown.frame.Action("file.save")->trigger();
        QCOMPARE(Contents(path + u'~'), first);
        QVERIFY(Contents(path) != first);
        shown.frame.Action("edit.undo")->trigger();
        QVERIFY(shown.doc.IsModified());

        shown.prompts.saveChoices = {SaveChoice::No, SaveChoice::No};
        QVERIFY(shown.frame.Commands().OpenFile(path));
        QVERIFY(!shown.frame.Action("edit.undo")->isEnabled() &&
                !shown.frame.Action("edit.redo")->isEnabled());
        SelectFaces(shown, {0});
        shown.doc.Run("edit.move", {{"by", CVector(5, 0, 0)}});
        QVERIFY(shown.frame.Action("edit.undo")->isEnabled());
        shown.frame.Action("file.new")->trigger();
        QVERIFY(!shown.frame.Action("edit.undo")->isEnabled() &&
                !shown.frame.Action("edit.redo")->isEnabled());
    }

    void anImportIsAChangeUntilItIsUndone() {
        QTemporaryDir dir;
        ShownModelFrame shown;
        shown.prompts.savePaths = {dir.filePath(QStringLiteral("cube.qvl"))};
        shown.frame.Action("file.save_as")->trigger();
        QVERIFY(!shown.doc.IsModified());
        const std::size_t objects = shown.Scene().models.size();

        shown.prompts.openPaths = {kSampleMqo};
        shown.frame.Action("file.open")->trigger();
        QVERIFY(shown.Scene().models.size() > objects);
        QVERIFY(shown.doc.IsModified() && shown.frame.isWindowModified());
        shown.frame.Action("edit.undo")->trigger();
        QCOMPARE(shown.Scene().models.size(), objects);
        QVERIFY(!shown.doc.IsModified() && !shown.frame.isWindowModified());
    }

    // Once a typed value took effect, the keys of Undo and Redo reach the
    // document even with the focus still in the box.
    void ctrlZAfterATypedValueUndoesTheDocument() {
        ShownModelFrame shown;
        QAction* undo = shown.frame.findChild<QAction*>(QStringLiteral("edit.undo"));
        QVERIFY(undo);
        shown.frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.frame));
        const Shape start = ShapeOf(shown.Scene());
        SelectFaces(shown, {0});
        shown.ChooseTool(ToolMove);
        QLineEdit* box = shown.Page<CMovePropertyView>(PageMove)->Relative().Box(Axis::X);
        Type(box, "10");
        QVERIFY(box->hasFocus());
        QVERIFY(ShapeOf(shown.Scene()) != start);
        QCOMPARE(undo->text(), QStringLiteral("元に戻す: 移動(&U)"));

        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(ShapeOf(shown.Scene()) == start);
        QCOMPARE(box->text(), QStringLiteral("0"));
        QTest::keyClick(box, Qt::Key_Y, Qt::ControlModifier);
        QVERIFY(ShapeOf(shown.Scene()) != start);

        // While typing, the box's own undo still comes first.
        box->selectAll();
        QTest::keyClicks(box, "5");
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(box->text(), QStringLiteral("0"));
        QVERIFY(ShapeOf(shown.Scene()) != start);
    }

    // The state an open leaves is a clean one, imported or native.
    void undoingBackToTheOpenedStateClearsTheMark() {
        ShownModelFrame shown;
        QVERIFY(shown.Commands().OpenFile(kSampleMqo));
        QVERIFY(!shown.doc.IsModified() && !shown.frame.isWindowModified());
        SelectFaces(shown, {0});
        shown.doc.Run("edit.move", {{"by", CVector(5, 0, 0)}});
        QVERIFY(shown.frame.isWindowModified());
        shown.frame.findChild<QAction*>(QStringLiteral("edit.undo"))->trigger();
        QVERIFY(!shown.doc.IsModified() && !shown.frame.isWindowModified());
    }

    // A rectangle takes faces by all their edges; Cut and Copy carry them.
    void facesTakenByARectangleAreCopiedAndCut() {
        ShownModelFrame shown;
        shown.ChooseTool(ToolRangeSelect);
        QWidget* view = shown.frame.View();
        const QPoint corner(4, 4);
        const QPoint opposite(view->width() - 4, view->height() - 4);
        SendMouse(view, QEvent::MouseButtonPress, corner, Qt::LeftButton, Qt::LeftButton);
        SendMouse(view, QEvent::MouseMove, opposite, Qt::NoButton, Qt::LeftButton);
        SendMouse(view, QEvent::MouseButtonRelease, opposite, Qt::LeftButton, Qt::NoButton);
        const CModel& cube = shown.Scene().models[0];
        QVERIFY(std::ranges::none_of(cube.faces, [](const CFace& f) { return f.selected; }));

        const CommandState state = shown.doc.Session().State();
        for (const char* id : {"edit.copy", "edit.cut"}) {
            QVERIFY2(!CommandTable::Global().Find(id)->Unavailable(state), id);
        }
        QVERIFY(shown.doc.Run("edit.copy").Done());
        CCentigrade copied;
        EditHistory history;
        QVERIFY(PasteFaces(history, copied, shown.doc.Session().Clipboard()).failure.empty());
        QCOMPARE(copied.models.size(), std::size_t{1});
        QCOMPARE(copied.models[0].faces.size(), std::size_t{6});
        QVERIFY(shown.doc.Run("edit.cut").Done());
        QVERIFY(shown.Scene().models[0].faces.empty());
    }

    // Textures named beside the document are copied along, kept as named, or
    // the save is cancelled, as the user answers once.
    void saveAsElsewhereAsksAboutTexturesLeftBehind() {
        const struct {
            StrandedTextureChoice choice;
            bool saved;
            bool copied;
        } cases[] = {{StrandedTextureChoice::Copy, true, true},
                     {StrandedTextureChoice::Keep, true, false},
                     {StrandedTextureChoice::Cancel, false, false}};
        for (const auto& c : cases) {
            QTemporaryDir dir;
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("old/tex")));
            QVERIFY(QFile::copy(QStringLiteral(QUORVEL_SOURCE_DIR "/samples/sample_wood.bmp"),
                                dir.filePath(QStringLiteral("old/tex/wood.bmp"))));
            ShownModelFrame shown;
            shown.Scene().materials[0].texture = "tex\\wood.bmp";
            const QString first = dir.filePath(QStringLiteral("old/cube.qvl"));
            const QString second = dir.filePath(QStringLiteral("new/cube.qvl"));
            QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("new")));
            shown.prompts.savePaths = {first, second};
            shown.prompts.strandedTextures = c.choice;
            QAction* saveAs = shown.frame.findChild<QAction*>(QStringLiteral("file.save_as"));
            saveAs->trigger();
            QVERIFY(!shown.prompts.asked.contains(QStringLiteral("stranded textures")));
            saveAs->trigger();
            QCOMPARE(shown.prompts.asked.count(QStringLiteral("stranded textures")), 1);
            QCOMPARE(shown.prompts.strandedFiles.size(), 1);
            QCOMPARE(QFileInfo::exists(second), c.saved);
            QCOMPARE(QFileInfo::exists(dir.filePath(QStringLiteral("new/tex/wood.bmp"))), c.copied);
            QCOMPARE(shown.doc.PathName(), c.saved ? second : first);
            QVERIFY(shown.prompts.errors.isEmpty());
        }
    }

    void facesTravelThroughTheSystemClipboard() {
        ShownModelFrame shown;
        QGuiApplication::clipboard()->clear();
        QTRY_VERIFY(!shown.frame.Action("edit.paste")->isEnabled());
        QVERIFY(!shown.frame.Action("edit.copy")->isEnabled() &&
                !shown.frame.Action("edit.cut")->isEnabled());
        SelectFaces(shown, {0, 1});
        QVERIFY(shown.frame.Action("edit.copy")->isEnabled() &&
                shown.frame.Action("edit.cut")->isEnabled());

        shown.frame.Action("edit.copy")->trigger();
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat(QStringLiteral("application/x-quorvel-faces")));
        const QString copied = data->text();
        QVERIFY(copied.startsWith(QStringLiteral("Metasequoia Document")));
        QTRY_VERIFY(shown.frame.Action("edit.paste")->isEnabled());
        shown.frame.Action("edit.paste")->trigger();
        QCOMPARE(shown.Scene().models.size(), std::size_t{2});
        QCOMPARE(shown.Scene().models[1].faces.size(), std::size_t{2});
        QCOMPARE(shown.Scene().materials.size(), std::size_t{1});  // the same material reused
        QCOMPARE(shown.frame.Action("edit.undo")->text(), QStringLiteral("元に戻す: 貼り付け(&U)"));

        // The paste left its own faces selected, and only them, and the list
        // marks their object.
        QCOMPARE(shown.Scene().currentModel, 1);
        QCOMPARE(shown.frame.findChild<CModelView*>()->MarkedRow(), 1);
        QVERIFY(!shown.Scene().models[0].faces[0].selected);
        QVERIFY(shown.Scene().models[1].faces[0].selected &&
                shown.Scene().models[1].faces[1].selected);
        shown.frame.Action("edit.cut")->trigger();
        QCOMPARE(shown.Scene().models[0].faces.size(), std::size_t{6});
        QVERIFY(shown.Scene().models.size() == 1 || shown.Scene().models[1].faces.empty());
        QCOMPARE(shown.frame.Action("edit.undo")->text(), QStringLiteral("元に戻す: 切り取り(&U)"));
        shown.frame.Action("edit.undo")->trigger();
        QCOMPARE(shown.Scene().models[1].faces.size(), std::size_t{2});

        // Text from an editor pastes too; other text does not.
        QGuiApplication::clipboard()->setText(copied);
        QTRY_VERIFY(shown.frame.Action("edit.paste")->isEnabled());
        QGuiApplication::clipboard()->setText(QStringLiteral("a shopping list"));
        QTRY_VERIFY(!shown.frame.Action("edit.paste")->isEnabled());
    }

    void autosaveWritesALoadableFileAndFailuresKeepEverything() {
        QTemporaryDir dir;
        ShownModelFrame shown(MakeQuadGrid(40, 10));
        QSignalSpy autosaveFailed(&shown.doc, &CQuorvelDoc::autosaveFailed);
        shown.doc.StartAutosaving(dir.filePath(QStringLiteral("autosave")).toStdString(), 1);
        SelectFaces(shown, {0});
        shown.doc.Run("edit.move", {{"by", CVector(0, 0, 3)}});
        const std::filesystem::path autosave = shown.doc.AutosaveFile();
        QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(autosave), 5000);
        shown.doc.WaitForAutosave();
        QVERIFY(ShapeOfFile(autosave) == ShapeOf(shown.Scene()));

        const QString path = dir.filePath(QStringLiteral("grid.qvl"));
        shown.prompts.savePaths = {path};
        shown.frame.Action("file.save_as")->trigger();
        QVERIFY(!std::filesystem::exists(autosave));

        shown.doc.Run("edit.move", {{"by", CVector(0, 0, 3)}});
        QVERIFY(shown.doc.AutosaveNow());
        shown.doc.WaitForAutosave();
        const QByteArray saved = Contents(path);
        const QByteArray autosaved = Contents(Native(autosave));
        // The timer's tick leaves an autosave of the unchanged scene alone.
        QVERIFY(!shown.doc.AutosaveIfChanged());
        shown.doc.Run("edit.move", {{"by", CVector(0, 0, 3)}});

        // A disk that takes no more than a few kilobytes a file.
        rlimit previous{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &previous), 0);
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit small = previous;
        small.rlim_cur = 4096;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        shown.frame.Action("file.save")->trigger();
        QVERIFY(shown.doc.AutosaveNow());
        shown.doc.WaitForAutosave();
        setrlimit(RLIMIT_FSIZE, &previous);
        signal(SIGXFSZ, oldHandler);

        QCOMPARE(shown.prompts.errors.size(), 1);
        const QString& error = shown.prompts.errors[0];
        QVERIFY2(error.contains(QStringLiteral("grid.qvl")) && error.contains(u':'),
                 qPrintable(error));
        const QString tooLarge = QStringLiteral("書き込めるファイルの大きさを超えています");
        QVERIFY2(error.contains(tooLarge), qPrintable(error));
        QVERIFY(shown.doc.IsModified());
        QCOMPARE(Contents(path), saved);
        QCOMPARE(Contents(Native(autosave)), autosaved);
        QTRY_COMPARE(autosaveFailed.count(), 1);
        QVERIFY(autosaveFailed[0][0].toString().contains(Native(autosave.filename())));
        QVERIFY(autosaveFailed[0][0].toString().contains(tooLarge));
        // Nothing changed since the failed autosave, which the next tick writes again.
        QVERIFY(shown.doc.AutosaveIfChanged());
        shown.doc.WaitForAutosave();
        QVERIFY(ShapeOfFile(autosave) == ShapeOf(shown.Scene()));
    }

    void aKilledRunIsOfferedForRecovery() {
        QTemporaryDir home;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"XDG_STATE_HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
            environment.insert(QString::fromLatin1(variable), home.filePath(variable));
        }
        const QString document = home.filePath(QStringLiteral("cube.qvl"));
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setWorkingDirectory(home.path());
        child.start(QCoreApplication::applicationFilePath(),
                    {QString::fromLatin1(kChildArgument), document});
        QVERIFY(child.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(
            QFileInfo::exists(home.filePath(kChildMarker)) || child.state() == QProcess::NotRunning,
            30000);
        QCOMPARE(child.state(), QProcess::Running);
        child.kill();  // SIGKILL in the middle of the drag
        QVERIFY(child.waitForFinished());

        const QByteArray ownState = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", QFile::encodeName(home.filePath("XDG_STATE_HOME")));
        ShownModelFrame restarted;
        restarted.doc.StartAutosaving(DefaultAutosaveFolder(), 0);
        const std::vector<RecoverableAutosave> found = restarted.doc.RecoverableAutosaves();
        QCOMPARE(found.size(), std::size_t{1});
        const Shape autosaved = ShapeOfFile(found[0].file);
        restarted.prompts.recovery.recover = 0;
        QVERIFY(restarted.frame.Commands().OfferRecovery());
        QCOMPARE(restarted.prompts.offeredAutosaves.size(), 1);
        QVERIFY(restarted.prompts.offeredAutosaves[0].startsWith(QStringLiteral("cube.qvl")));
        QVERIFY(ShapeOf(restarted.Scene()) == autosaved);
        // The move before the autosave is in it; the unfinished drag is not.
        QVERIFY(autosaved != ShapeOf(MakeSceneWith(MakeCube(200))));
        QCOMPARE(restarted.doc.PathName(), document);
        QVERIFY(restarted.doc.IsModified());

        // Kept by this run now; a clean close removes it.
        QVERIFY(restarted.doc.RecoverableAutosaves().empty());
        restarted.prompts.saveChoices = {SaveChoice::No};
        QVERIFY(restarted.frame.close());
        QVERIFY(!std::filesystem::exists(restarted.doc.AutosaveFile()));
        qputenv("XDG_STATE_HOME", ownState);
    }
};

int main(int argc, char** argv) {
    // The child runs in the private folders its parent gave it.
    const bool child = argc == 3 && qstrcmp(argv[1], kChildArgument) == 0;
    std::optional<PrivateHome> home;
    if (!child) {
        home.emplace();
    }
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    if (child) {
        return AutosaveThenHang(QString::fromLocal8Bit(argv[2]));
    }
    WorkSafetyTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "work_safety_test.moc"
