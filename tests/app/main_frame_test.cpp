// The main window driven as a user drives it: document commands with the
// save prompt, the recent-file list across restarts, drops, failures that
// must leave the user's scene and files alone, the tool buttons and the
// view's edits reaching the document.
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QToolBar>
#include <QtTest>

#include "app/desktop_registration.h"
#include "app/gl_format.h"
#include "app/japanese_translations.h"
#include "app/main_frame.h"
#include "app/product.h"
#include "app/quorvel_view.h"
#include "document/document_commands.h"
#include "document/quorvel_document.h"
#include "document/recent_files.h"
#include "edit/selection.h"
#include "exchange/document_files.h"
#include "panels/model_view.h"
#include "private_home.h"
#include "scripted_prompts.h"
#include "shown_frame.h"
#include "support/mesh_generators.h"
#include "view_test_support.h"

namespace {

const QString kSampleMqo = QStringLiteral(QUORVEL_SOURCE_DIR "/samples/sample.mqo");
const QString kSampleQvl = QStringLiteral(QUORVEL_SOURCE_DIR "/samples/sample.qvl");

// A native document of one cube in `dir`.
QString WriteCubeDocument(const QTemporaryDir& dir, const QString& name) {
    CCentigrade scene;
    scene.materials.push_back(CMaterial(0));
    scene.models.push_back(MakeCube(200));
    const QString path = dir.filePath(name);
    SaveDocumentFile(path.toStdString(), scene);
    return path;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void ClickToolButton(QToolBar* bar, QAction* action) {
    QTest::mouseClick(bar->widgetForAction(action), Qt::LeftButton);
}

QAction* Tool(const CMainFrame& frame, int toolMode) {
    return frame.Action(ToolCommandId(toolMode));
}

}  // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void saveChoosesBetweenSaveAsAndSavingInPlace() {
        QTemporaryDir dir;
        ShownFrame shown;
        shown.Scene().models.push_back(MakeCube(100));
        shown.doc.SetModifiedFlag(true);
        QCOMPARE(shown.frame.windowTitle(),
                 QStringLiteral("無題[*] - ") + QString::fromUtf8(kProductTitle));
        QVERIFY(shown.frame.isWindowModified());

        // A new document has no file: Save asks for one.
        const QString upper = dir.filePath(QStringLiteral("X.QVL"));
        shown.prompts.savePaths = {upper};
        shown.frame.Action("file.save")->trigger();
        QCOMPARE(shown.prompts.asked, QStringList{QStringLiteral("save")});
        QCOMPARE(shown.doc.PathName(), upper);
        QVERIFY(!shown.doc.IsModified());
        QVERIFY(!shown.frame.isWindowModified());
        QVERIFY(shown.frame.windowTitle().startsWith(QStringLiteral("X.QVL[*] - ")));

        // An upper-case native extension is still native: saved in place.
        shown.Scene().models.push_back(MakeCube(50));
        shown.doc.SetModifiedFlag(true);
        shown.frame.Action("file.save")->trigger();
        QCOMPARE(shown.prompts.asked.size(), 1);
        QVERIFY(!shown.doc.IsModified());
        CCentigrade reread;
        OpenDocumentFile(upper.toStdString(), reread);
        QCOMPARE(reread.models.size(), std::size_t{2});

        // A Metasequoia export keeps the document's file and title; the next
        // Save still goes there.
        const QString mqo = dir.filePath(QStringLiteral("export.mqo"));
        shown.doc.SetModifiedFlag(true);
        shown.prompts.savePaths = {mqo};
        shown.frame.Action("file.save_as")->trigger();
        QVERIFY(Contents(mqo).startsWith("Metasequoia Document"));
        QCOMPARE(shown.doc.PathName(), upper);
        QVERIFY(shown.doc.IsModified());
        shown.frame.Action("file.save")->trigger();
        QCOMPARE(shown.prompts.asked.size(), 2);
        QVERIFY(!shown.doc.IsModified());
        QCOMPARE(shown.frame.RecentFiles().Files(), QStringList{upper});
    }

    // Exports for other programs keep the document's file; those that cannot
    // hold the whole scene say what they dropped, in one line.
    void exportsKeepTheDocumentFileAndSayWhatTheyDrop_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        QTest::addColumn<bool>("notice");
        QTest::newRow("mqoz") << "e.mqoz" << QByteArray("PK") << true;
        QTest::newRow("obj") << "e.obj" << QByteArray("#") << true;
        QTest::newRow("stl") << "e.stl" << QByteArray() << true;
        QTest::newRow("glb") << "e.glb" << QByteArray("glTF") << false;
    }
    void exportsKeepTheDocumentFileAndSayWhatTheyDrop() {
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QFETCH(bool, notice);
        QTemporaryDir dir;
        ShownFrame shown;
        shown.Scene().models.push_back(MakeCube(100));
        shown.Scene().models.back().facet = 30.0f;
        shown.Scene().materials.emplace_back(0);
        shown.doc.SetModifiedFlag(true);
        const QString target = dir.filePath(name);
        shown.prompts.savePaths = {target};
        shown.frame.Action("file.save_as")->trigger();
        QVERIFY(shown.prompts.errors.isEmpty());
        QVERIFY(QFileInfo(target).size() > 0);
        QVERIFY(Contents(target).startsWith(start));
        QCOMPARE(shown.prompts.information.size(), notice ? 1 : 0);
        QVERIFY(shown.doc.PathName().isEmpty());
        QVERIFY(shown.doc.IsModified());
    }

    void openCommandAddsObjObjectsAsOneStep() {
        QTemporaryDir dir;
        const QString obj = dir.filePath(QStringLiteral("square.obj"));
        QFile file(obj);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n");
        file.close();
        ShownFrame shown;
        shown.prompts.openPaths = {obj};
        shown.frame.Action("file.open")->trigger();
        QVERIFY(shown.prompts.errors.isEmpty());
        QCOMPARE(shown.Scene().models.size(), std::size_t{1});
        QVERIFY(shown.Scene().models[0].HasCornerNormals(0));
        QVERIFY(shown.doc.PathName().isEmpty());
        shown.frame.Action("edit.undo")->trigger();
        QVERIFY(shown.Scene().models.empty());
    }

    void openCommandAddsMetasequoiaObjectsWithoutAsking() {
        ShownFrame shown;
        shown.doc.SetModifiedFlag(true);
        shown.prompts.openPaths = {kSampleMqo, kSampleMqo};
        shown.frame.Action("file.open")->trigger();
        const std::size_t once = shown.Scene().models.size();
        QVERIFY(once > 0);
        shown.frame.Action("file.open")->trigger();
        QCOMPARE(shown.Scene().models.size(), 2 * once);
        QCOMPARE(shown.prompts.asked,
                 (QStringList{QStringLiteral("open"), QStringLiteral("open")}));
        QVERIFY(shown.doc.PathName().isEmpty());
        QVERIFY(shown.doc.IsModified());
        QVERIFY(!shown.frame.RecentFiles().Files().contains(kSampleMqo));
    }

    void newAsksOnlyAfterEdits() {
        ShownFrame shown;
        // Opening a document is no edit, nor are a visibility and a selection.
        shown.prompts.openPaths = {kSampleQvl};
        shown.frame.Action("file.open")->trigger();
        QVERIFY(!shown.Scene().models.empty());
        shown.Scene().models[0].state = 2;
        ClearSelection(shown.Scene());
        shown.frame.Action("file.new")->trigger();
        QCOMPARE(shown.prompts.asked, QStringList{QStringLiteral("open")});
        QVERIFY(shown.Scene().models.empty());

        // An edit (a material form change marks the document) asks; Cancel
        // keeps everything.
        shown.frame.Action("file.open")->trigger();
        shown.prompts.openPaths = {kSampleMqo};
        shown.frame.Action("file.open")->trigger();
        shown.doc.SetModifiedFlag(true);
        const std::size_t models = shown.Scene().models.size();
        shown.prompts.asked.clear();
        shown.prompts.saveChoices = {SaveChoice::Cancel, SaveChoice::No};
        shown.frame.Action("file.new")->trigger();
        QCOMPARE(shown.prompts.asked, QStringList{QStringLiteral("changes 無題")});
        QCOMPARE(shown.Scene().models.size(), models);
        shown.frame.Action("file.new")->trigger();
        QVERIFY(shown.Scene().models.empty());
        QVERIFY(!shown.doc.IsModified());
        QCOMPARE(shown.frame.CurrentPage(), int(PageEmpty));
    }

    void yesNeverWritesTheNativeFormatIntoAMetasequoiaFile() {
        QTemporaryDir dir;
        const QString mqo = dir.filePath(QStringLiteral("copy.mqo"));
        QVERIFY(QFile::copy(kSampleMqo, mqo));
        ShownFrame shown;
        QVERIFY(shown.Commands().OpenFile(mqo));
        QCOMPARE(shown.doc.PathName(), mqo);
        shown.doc.SetModifiedFlag(true);
        shown.prompts.saveChoices = {SaveChoice::Yes};
        const QString native = dir.filePath(QStringLiteral("copy.qvl"));
        shown.prompts.savePaths = {native};
        QVERIFY(shown.Commands().New());
        QCOMPARE(shown.prompts.asked,
                 (QStringList{QStringLiteral("changes copy.mqo"), QStringLiteral("save native")}));
        QCOMPARE(Contents(mqo), Contents(kSampleMqo));
        QVERIFY(QFileInfo::exists(native));
    }

    void failuresLeaveSceneAndFilesAlone_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "gone.qvl" << QByteArray() << "が見つかりませんでした。";
        QTest::newRow("truncated") << "short.qvl" << QByteArray("\x02\x00\x00\x00\x01", 5)
                                   << "の末尾以降にアクセスしようとしました。";
        QTest::newRow("damaged") << "bad.qvl" << QByteArray("\xff\xff\xff\xff\0\0\0\0", 8)
                                 << "ドキュメントを開くことに失敗しました。";
        QTest::newRow("unknown type")
            << "notes.txt" << QByteArray("text") << "は開けない形式です。";
    }

    void failuresLeaveSceneAndFilesAlone() {
        QFETCH(QString, name);
        QFETCH(QByteArray, contents);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        if (!contents.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        ShownFrame shown;
        const QString kept = WriteCubeDocument(dir, QStringLiteral("kept.qvl"));
        QVERIFY(shown.Commands().OpenFile(kept));
        shown.doc.SetModifiedFlag(true);
        shown.prompts.saveChoices = {SaveChoice::No};
        QVERIFY(!shown.Commands().OpenFile(path));
        QCOMPARE(shown.prompts.errors.size(), 1);
        QVERIFY2(shown.prompts.errors[0].contains(message), qPrintable(shown.prompts.errors[0]));
        QCOMPARE(shown.Scene().models.size(), std::size_t{1});
        QCOMPARE(shown.doc.PathName(), kept);
        QVERIFY(shown.doc.IsModified());

        // Saving where no file can be written says why and keeps the flag.
        shown.prompts.savePaths = {dir.filePath(QStringLiteral("no/such/folder/x.qvl"))};
        QVERIFY(!shown.Commands().SaveAs());
        QCOMPARE(shown.prompts.errors.size(), 2);
        QVERIFY(shown.prompts.errors[1].startsWith(
            QStringLiteral("ドキュメントの保存に失敗しました。")));
        QVERIFY(shown.prompts.errors[1].contains(QStringLiteral("x.qvl")));
        QVERIFY(shown.doc.IsModified());
    }

    void recentFilesKeepFourAcrossRestarts() {
        QTemporaryDir dir;
        QStringList paths;
        {
            ShownFrame shown;
            for (int i = 0; i < 5; ++i) {
                paths << WriteCubeDocument(dir, QStringLiteral("doc%1.qvl").arg(i));
                QVERIFY(shown.Commands().OpenFile(paths.last()));
            }
        }
        ShownFrame restarted;
        const QStringList newestFirst = {paths[4], paths[3], paths[2], paths[1]};
        QCOMPARE(restarted.frame.RecentFiles().Files(), newestFirst);
        QList<QAction*> entries;
        for (QAction* action : restarted.frame.FileMenu()->actions()) {
            if (action->text().startsWith(u'&')) {
                entries << action;
            }
        }
        QCOMPARE(entries.size(), 4);
        QVERIFY(entries[0]->text().startsWith(QStringLiteral("&1 ")));
        entries[3]->trigger();
        QCOMPARE(restarted.doc.PathName(), paths[1]);
        QCOMPARE(restarted.frame.RecentFiles().Files().first(), paths[1]);

        // An entry whose file has gone says so and leaves the list.
        QVERIFY(QFile::remove(paths[2]));
        const QList<QAction*> menu = restarted.frame.FileMenu()->actions();
        const auto gone = std::find_if(menu.begin(), menu.end(), [](QAction* a) {
            return a->text().contains(QStringLiteral("doc2.qvl"));
        });
        QVERIFY(gone != menu.end());
        (*gone)->trigger();
        QCOMPARE(restarted.prompts.errors.size(), 1);
        QVERIFY(!restarted.frame.RecentFiles().Files().contains(paths[2]));
        QCOMPARE(restarted.frame.RecentFiles().Files().size(), 3);
    }

    void homeFramesEveryVisibleObject() {
        ShownFrame shown;
        CModel far = MakeCube(300);
        for (CVector& v : far.vertices) {
            v.x += 4000;
            v.y -= 2500;
        }
        shown.Scene().models.push_back(far);
        CModel hidden = MakeCube(100);
        hidden.state = 2;
        for (CVector& v : hidden.vertices) {
            v.z += 90000;
        }
        shown.Scene().models.push_back(hidden);
        shown.frame.Action("view.frame_all")->trigger();
        const QSize view = shown.frame.View()->size();
        int leftmost = view.width(), rightmost = 0;
        for (const CVector& v : shown.Scene().models[0].vertices) {
            QPoint at;
            QVERIFY(ProjectToClient(shown.Scene(), v, at));
            QVERIFY2(QRect(QPoint(0, 0), view).contains(at),
                     qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
            leftmost = std::min(leftmost, at.x());
            rightmost = std::max(rightmost, at.x());
        }
        // Not merely inside: it fills a good part of the view.
        QVERIFY(rightmost - leftmost > view.width() / 4);
    }

    void droppedFileOpensAfterTheSavePrompt() {
        QTemporaryDir dir;
        const QString path = WriteCubeDocument(dir, QStringLiteral("dropped.qvl"));
        ShownFrame shown;
        shown.doc.SetModifiedFlag(true);
        shown.prompts.saveChoices = {SaveChoice::No};
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path)});
        const QPoint at(500, 400);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&shown.frame, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&shown.frame, &drop);
        QTRY_COMPARE(shown.doc.PathName(), path);
        QCOMPARE(shown.prompts.asked, QStringList{QStringLiteral("changes 無題")});
        QCOMPARE(shown.Scene().models.size(), std::size_t{1});
    }

    void toolButtonsChooseToolAndPage_data() {
        QTest::addColumn<int>("toolMode");
        QTest::addColumn<int>("page");
        QTest::newRow("select") << int(ToolSelect) << int(PageSelect);
        QTest::newRow("range") << int(ToolRangeSelect) << int(PageEmpty);
        QTest::newRow("move") << int(ToolMove) << int(PageMove);
        QTest::newRow("rotate") << int(ToolRotate) << int(PageRotate);
        QTest::newRow("scale") << int(ToolScale) << int(PageScale);
        QTest::newRow("paint") << int(ToolPaintMaterial) << int(PageEmpty);
        QTest::newRow("delete face") << int(ToolDeleteFace) << int(PageEmpty);
    }

    void toolButtonsChooseToolAndPage() {
        QFETCH(int, toolMode);
        QFETCH(int, page);
        ShownFrame shown;
        shown.doc.RequestPropertyPage(PageRotate);
        ClickToolButton(shown.frame.ToolToolBar(), Tool(shown.frame, toolMode));
        QCOMPARE(shown.Scene().toolMode, toolMode);
        QCOMPARE(shown.frame.CurrentPage(), page);
        for (const auto& [id, tool] : kToolCommands) {
            QCOMPARE(shown.frame.Action(id)->isChecked(), tool == toolMode);
        }
    }

    void selectionOptionsToggle() {
        ShownFrame shown;
        QVERIFY(shown.frame.Action("selectable.vertices")->isChecked());
        QVERIFY(!shown.frame.Action("selectable.edges")->isChecked());
        ClickToolButton(shown.frame.FileToolBar(), shown.frame.Action("selectable.vertices"));
        ClickToolButton(shown.frame.FileToolBar(), shown.frame.Action("selectable.edges"));
        QVERIFY(!shown.Scene().vertexSelectable &&
                !shown.frame.Action("selectable.vertices")->isChecked());
        QVERIFY(shown.Scene().edgeSelectable &&
                shown.frame.Action("selectable.edges")->isChecked());
        for (QAction* edit : {shown.frame.Action("edit.undo"), shown.frame.Action("edit.cut"),
                              shown.frame.Action("edit.copy"), shown.frame.Action("edit.paste")}) {
            QVERIFY(!edit->isEnabled());
        }
    }

    void viewEditsReachTheDocument() {
        ShownFrame shown;
        shown.Scene().materials.push_back(CMaterial(0));
        shown.Scene().models.push_back(MakeCube(200));
        shown.Scene().ComputeAllNormals();
        shown.Scene().currentModel = -1;
        shown.doc.Replaced();
        CQuorvelView* view = shown.frame.View();
        const QPoint centre(view->width() / 2, view->height() / 2);

        // Object picking selects through the document, and the list marks the object.
        QSignalSpy picked(&shown.doc, &CQuorvelDoc::currentObjectChanged);
        ClickToolButton(shown.frame.ToolToolBar(), Tool(shown.frame, ToolSelect));
        shown.Scene().selectMode = SelectPickObject;
        QTest::mouseClick(view, Qt::LeftButton, {}, centre);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.first().first().toInt(), 0);
        QCOMPARE(qobject_cast<CModelView*>(shown.frame.Panes().objectList)->MarkedRow(), 0);
        QVERIFY(!shown.doc.IsModified());

        // A double-click with the delete tool deletes one face, not two.
        ClickToolButton(shown.frame.ToolToolBar(), Tool(shown.frame, ToolDeleteFace));
        const std::size_t faces = shown.Scene().models[0].faces.size();
        SendMouse(view, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
        SendMouse(view, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
        SendMouse(view, QEvent::MouseButtonDblClick, centre, Qt::LeftButton, Qt::LeftButton);
        SendMouse(view, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(shown.Scene().models[0].faces.size(), faces - 1);
        QVERIFY(shown.doc.IsModified());
        QVERIFY(shown.frame.isWindowModified());
    }

    void closingAModifiedDocumentCanBeCancelled() {
        ShownFrame shown;
        shown.doc.SetModifiedFlag(true);
        shown.prompts.saveChoices = {SaveChoice::Cancel};
        QVERIFY(!shown.frame.close());
        QVERIFY(shown.frame.isVisible());
        shown.prompts.saveChoices = {SaveChoice::No};
        QVERIFY(shown.frame.close());
    }

    void perUserRegistrationIsWrittenAndRemoved() {
        ShownFrame shown;
        const QString executable = QStringLiteral("/opt/my \"build\"/quorvel");
        QCOMPARE(RegisterForUser(executable), QString());
        const QStringList files = UserRegistrationFiles();
        for (const QString& file : files) {
            QVERIFY2(file.startsWith(qEnvironmentVariable("XDG_DATA_HOME")), qPrintable(file));
            QVERIFY2(QFileInfo::exists(file), qPrintable(file));
        }
        const QByteArray entry = Contents(files[0]);
        QVERIFY(entry.contains("Exec=\"/opt/my \\\\\"build\\\\\"/quorvel\" %f\n"));
        QVERIFY(entry.contains("MimeType=application/x-quorvel;"));
        QVERIFY(Contents(files[1]).contains("<glob pattern=\"*.qvl\"/>"));

        shown.frame.Action("help.remove_registration")->trigger();
        for (const QString& file : files) {
            QVERIFY2(!QFileInfo::exists(file), qPrintable(file));
        }
        QCOMPARE(shown.prompts.information,
                 QStringList{QStringLiteral("レジストリ情報を削除しました！")});
    }

    void keyboardAndNames() {
        ShownFrame shown;
        for (QToolBar* bar : {shown.frame.FileToolBar(), shown.frame.ToolToolBar()}) {
            for (QAction* action : bar->actions()) {
                if (action->isSeparator()) {
                    continue;
                }
                QWidget* button = bar->widgetForAction(action);
                QCOMPARE(button->accessibleName(), action->toolTip());
                QVERIFY(button->focusPolicy() & Qt::TabFocus);
            }
        }
        // F6 walks the panes that can take the focus: the empty property page
        // has no control, so the walk runs display bar, view, object list,
        // material list.
        shown.frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.frame));
        shown.frame.FileToolBar()->widgetForAction(shown.frame.Action("file.open"))->setFocus();
        const FramePanes& panes = shown.frame.Panes();
        QTest::keyClick(&shown.frame, Qt::Key_F6);
        QTRY_VERIFY(panes.displayBar->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(&shown.frame, Qt::Key_F6);
        QVERIFY(shown.frame.View()->hasFocus());
        QTest::keyClick(&shown.frame, Qt::Key_F6);
        QVERIFY(panes.objectList->hasFocus());
        QTest::keyClick(&shown.frame, Qt::Key_F6);
        QVERIFY(panes.materialList->hasFocus());
        QTest::keyClick(&shown.frame, Qt::Key_F6, Qt::ShiftModifier);
        QVERIFY(panes.objectList->hasFocus());
    }

    void standardButtonsSpeakJapanese() {
        InstallJapaneseTranslations(*QCoreApplication::instance());
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QVERIFY2(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("はい")),
                 qPrintable(box.button(QMessageBox::Yes)->text()));
        QVERIFY(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("いいえ")));
        QVERIFY(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("キャンセル")));
    }

    void screenshotWithTheSample() {
        ShownFrame shown;
        QVERIFY(
            shown.Commands().OpenFile(QStringLiteral(QUORVEL_SOURCE_DIR "/samples/sample.qvl")));
        ClickToolButton(shown.frame.ToolToolBar(), Tool(shown.frame, ToolMove));
        QTest::qWait(50);
        SaveArtifact(shown.frame.grab().toImage(), QStringLiteral("main_window_sample_1024x768"));
    }
};

QUORVEL_PRIVATE_HOME_TEST_MAIN(MainFrameTest)

#include "main_frame_test.moc"
