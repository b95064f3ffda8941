// The file dialogs as the user works them: a filter chosen with the keyboard,
// a name typed without extension, Enter.
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <filesystem>
#include <functional>

#include "app/about_dialog.h"
#include "app/gl_format.h"
#include "app/widget_prompts.h"
#include "document/document_commands.h"
#include "document/quorvel_document.h"
#include "document/recent_files.h"
#include "private_home.h"
#include "scripted_prompts.h"
#include "support/mesh_generators.h"

namespace {

// Runs `answer` on the modal dialog once it is shown.
template <typename Dialog = QFileDialog>
void WhenDialogShows(const std::function<void(Dialog&)>& answer) {
    QTimer::singleShot(0, [answer] {
        Dialog* dialog = nullptr;
        QTRY_VERIFY((dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())));
        answer(*dialog);
    });
}

// Enter on the message box that follows: what the export could not keep.
void AcknowledgeNotice() {
    WhenDialogShows<QMessageBox>([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
}

// Moves the file type box down `steps` filters and types `name` + Enter.
void ChooseFilterAndType(QFileDialog& dialog, int steps, const QString& name) {
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* fileName = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(types && fileName);
    types->setFocus();
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(types, Qt::Key_Down);
    }
    fileName->setFocus();
    fileName->selectAll();
    QTest::keyClicks(fileName, name);
    QTest::keyClick(fileName, Qt::Key_Return);
}

QStringList ComboTexts(QFileDialog& dialog) {
    QStringList texts;
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    for (int i = 0; types && i < types->count(); ++i) {
        texts << types->itemText(i);
    }
    return texts;
}

// What a screen reader asks of every object under `object`: its children,
// their names, and every cell its tables report.
void WalkAccessible(QAccessibleInterface* object, int depth = 0) {
    if (!object || depth > 20) {
        return;
    }
    object->text(QAccessible::Name);
    if (QAccessibleTableInterface* table = object->tableInterface()) {
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                table->cellAt(row, column);
            }
        }
    }
    for (int i = 0; i < object->childCount(); ++i) {
        WalkAccessible(object->child(i), depth + 1);
    }
}

QStringList accessibilityWarnings;

void KeepAccessibilityWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QAccessible"))) {
        accessibilityWarnings << text;
    }
}

}  // namespace

class FileDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void saveAsKeepsTheFormatOfTheChosenFilter() {
        QTemporaryDir dir;
        CQuorvelDoc doc;
        doc.Scene().models.push_back(MakeCube(1.0f));
        const QString own = dir.filePath(QStringLiteral("cube.qvl"));
        doc.SetPathName(own);
        doc.SetModifiedFlag(true);
        CWidgetPrompts prompts(nullptr);
        CRecentFileList recent;
        CDocumentCommands commands(doc, prompts, recent);

        // The second filter is Metasequoia's.
        WhenDialogShows<QFileDialog>([](QFileDialog& dialog) {
            ChooseFilterAndType(dialog, 1, "model");
            AcknowledgeNotice();
        });
        QVERIFY(commands.SaveAs());
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("model.mqo"))));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("model.qvl"))));
        // An export: the document keeps its own file and its changes.
        QCOMPARE(doc.PathName(), own);
        QVERIFY(doc.IsModified());

        WhenDialogShows<QFileDialog>(
            [](QFileDialog& dialog) { ChooseFilterAndType(dialog, 0, "native"); });
        QVERIFY(commands.SaveAs());
        QCOMPARE(doc.PathName(), dir.filePath(QStringLiteral("native.qvl")));
        QVERIFY(!doc.IsModified());
    }

    // Why a save failed, in the window's language, from the same codes the
    // command-line tool words in English.
    void aFailedSaveSaysWhyInJapanese_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("cause");
        QTest::newRow("read-only folder")
            << "locked" << true << QStringLiteral("書き込みの許可がありません");
        QTest::newRow("a file where a folder should be")
            << "plain" << false << QStringLiteral("パスの途中にフォルダではないファイルがあります");
    }
    void aFailedSaveSaysWhyInJapanese() {
        QFETCH(QString, folder);
        QFETCH(bool, readOnly);
        QFETCH(QString, cause);
        if (readOnly && ::geteuid() == 0) {
            QSKIP("root writes into read-only folders");
        }
        QTemporaryDir dir;
        const QString parent = dir.filePath(folder);
        if (readOnly) {
            QVERIFY(QDir().mkdir(parent));
            std::filesystem::permissions(
                parent.toStdString(),
                std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        } else {
            QFile file(parent);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        CQuorvelDoc doc;
        doc.Scene().models.push_back(MakeCube(1.0f));
        doc.SetModifiedFlag(true);
        ScriptedPrompts prompts;
        prompts.savePaths = {parent + QStringLiteral("/cube.qvl")};
        CRecentFileList recent;
        CDocumentCommands commands(doc, prompts, recent);
        QVERIFY(!commands.SaveAs());
        std::filesystem::permissions(parent.toStdString(), std::filesystem::perms::owner_all);
        QCOMPARE(prompts.errors.size(), 1);
        const QString& error = prompts.errors[0];
        QVERIFY2(error.startsWith(QStringLiteral("ドキュメントの保存に失敗しました。\n")),
                 qPrintable(error));
        const QString step = QStringLiteral("/cube.qvl: 一時ファイルを作成できません");
        QVERIFY2(error.contains(parent + step + u'（' + cause + u'）'), qPrintable(error));
        for (const char* english : {"cannot", "Permission", "directory"}) {
            QVERIFY2(!error.contains(QLatin1String(english)), qPrintable(error));
        }
        QVERIFY(doc.IsModified());
    }

    // Walked while the folder is still being read, and once it is shown.
    void aScreenReaderWalksTheFileDialogsWithoutWarnings() {
        QTemporaryDir empty;
        QAccessible::setActive(true);
        accessibilityWarnings.clear();
        const QtMessageHandler previous = qInstallMessageHandler(KeepAccessibilityWarnings);
        CWidgetPrompts prompts(nullptr);
        int walked = 0;
        auto walk = [&empty, &walked](QFileDialog& dialog) {
            dialog.setDirectory(empty.path());
            WalkAccessible(QAccessible::queryAccessibleInterface(&dialog));
            QTest::qWait(200);
            WalkAccessible(QAccessible::queryAccessibleInterface(&dialog));
            ++walked;
            dialog.reject();
        };
        WhenDialogShows<QFileDialog>(walk);
        prompts.AskOpenPath();
        WhenDialogShows<QFileDialog>(walk);
        prompts.AskSavePath(QStringLiteral("model.qvl"), false);
        qInstallMessageHandler(previous);
        QAccessible::setActive(false);
        QCOMPARE(walked, 2);
        QVERIFY2(accessibilityWarnings.isEmpty(), qPrintable(accessibilityWarnings.join(u'\n')));
    }

    void theOpenDialogNamesEveryFormatItOpens() {
        CWidgetPrompts prompts(nullptr);
        QStringList shown;
        WhenDialogShows<QFileDialog>([&shown](QFileDialog& dialog) {
            shown = ComboTexts(dialog);
            dialog.reject();
        });
        QVERIFY(prompts.AskOpenPath().isEmpty());
        CAboutDlg about(nullptr);
        QStringList lines;
        for (const QLabel* label : about.findChildren<QLabel*>()) {
            lines << label->text();
        }
        for (const char* format : {".mqoz", ".obj", ".stl", ".glb"}) {
            QVERIFY2(lines.join(u'\n').contains(QLatin1String(format)), format);
        }
        QCOMPARE(shown.value(0), QStringLiteral("全ての形式(*.qvl;*.mqo)"));
        QCOMPARE(shown.value(1), QStringLiteral("読み込める全ての形式(*.qvl;*.mqo;*.mqoz;*.obj)"));
        for (const char* format : {"*.qvl)", "*.mqo)", "*.mqoz)", "*.obj)"}) {
            QVERIFY2(std::ranges::any_of(shown,
                                         [format](const QString& t) { return t.endsWith(format); }),
                     format);
        }
    }
};

QUORVEL_PRIVATE_HOME_TEST_MAIN(FileDialogsTest)
#include "file_dialogs_test.moc"
