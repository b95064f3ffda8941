// The menus, toolbars and keys the window builds from the command table:
// what they show, when they are enabled and checked, and what triggering
// them does to the scene.
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QtTest>
#include <set>

#include "app/command_actions.h"
#include "app/gl_format.h"
#include "app/main_frame.h"
#include "app/quorvel_view.h"
#include "app/widget_prompts.h"
#include "commands/command_table.h"
#include "private_home.h"
#include "shown_frame.h"
#include "support/mesh_generators.h"

namespace {

// The window on a cube (object 0) and a grid of 4 × 4 quads, neither selected.
struct ShownModels : ShownFrame {
    ShownModels()
        : ShownFrame([](CQuorvelDoc& doc) {
              doc.Scene().materials.push_back(CMaterial(0));
              doc.Scene().models.push_back(MakeCube(200));
              doc.Scene().models.push_back(MakeQuadGrid(4, 50));
              doc.Scene().currentModel = 0;
              doc.Scene().ComputeAllNormals();
              doc.Replaced();
          }) {}
};

std::size_t SelectedFaces(const CCentigrade& scene) {
    std::size_t selected = 0;
    for (const CModel& model : scene.models) {
        for (const CFace& face : model.faces) {
            selected += face.selected ? 1 : 0;
        }
    }
    return selected;
}

// The commands a menu or toolbar shows, by its own placement, with a
// separator (empty id) between groups.
QStringList ExpectedEntries(const CommandBar& bar) {
    QStringList entries;
    std::optional<int> group;
    for (const CommandSpec* spec : CommandTable::Global().In(bar.id)) {
        const Placement& place = spec->menu.bar == bar.id ? spec->menu : spec->toolbar;
        if (group && *group != place.group) {
            entries << QString();
        }
        group = place.group;
        entries << QString::fromStdString(spec->id);
    }
    return entries;
}

QStringList ShownEntries(const QList<QAction*>& actions) {
    QStringList entries;
    for (const QAction* action : actions) {
        entries << (action->isSeparator() ? QString() : action->objectName());
    }
    return entries;
}

}  // namespace

class CommandMenusTest : public QObject {
    Q_OBJECT

private slots:
    void everyPlacedCommandIsInItsBarInOrder() {
        ShownFrame shown;
        const QList<QAction*> menus = shown.frame.menuBar()->actions();
        int menu = 0;
        for (const CommandBar& bar : kCommandBars) {
            const QList<QAction*> actions = bar.toolbar ? shown.frame.ToolBar(bar.id)->actions()
                                                        : shown.frame.Menu(bar.id)->actions();
            QCOMPARE(ShownEntries(actions), ExpectedEntries(bar));
            if (!bar.toolbar) {
                QCOMPARE(menus[menu++]->text(), QString::fromStdString(bar.title));
            }
            for (const QAction* action : actions) {
                if (!action->isSeparator()) {
                    const CommandSpec* spec =
                        CommandTable::Global().Find(action->objectName().toStdString());
                    QCOMPARE(action->text(), QString::fromStdString(spec->text));
                }
            }
        }
        QCOMPARE(menus.size(), menu);
    }

    void enabledAndCheckedFollowTheDocument_data() {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QStringList>("disabled");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("undoText");
        QTest::newRow("empty scene")
            << "empty"
            << QStringList{"file.save", "create.sphere", "view.front", "selectable.faces"}
            << QStringList{"edit.undo",  "edit.redo",    "edit.cut",
                           "select.all", "face.extrude", "file.recent"}
            << QStringList{"selectable.vertices", "selectable.faces", "view.status_bar"}
            << "元に戻す(&U)";
        QTest::newRow("a cube with faces selected")
            << "selected"
            << QStringList{"edit.cut", "edit.copy", "select.all", "face.extrude", "face.flip"}
            << QStringList{"edit.undo", "edit.redo"}
            << QStringList{"tool.move", "selectable.vertices", "selectable.faces",
                           "view.status_bar"}
            << "元に戻す(&U)";
        QTest::newRow("after an edit")
            << "edited" << QStringList{"edit.undo", "edit.cut"} << QStringList{"edit.redo"}
            << QStringList{"tool.move", "selectable.vertices", "selectable.faces",
                           "view.status_bar"}
            << "元に戻す: 面の反転(&U)";
    }

    void enabledAndCheckedFollowTheDocument() {
        QFETCH(QString, document);
        QFETCH(QStringList, enabled);
        QFETCH(QStringList, disabled);
        QFETCH(QStringList, checked);
        QFETCH(QString, undoText);
        ShownFrame shown;
        if (document != QStringLiteral("empty")) {
            shown.Scene().models.push_back(MakeCube(200));
            shown.Scene().currentModel = 0;
            shown.doc.Replaced();
            shown.frame.Action("tool.move")->trigger();
            QVERIFY(shown.doc.Run("select.elements", {{"object", 0}, {"faces", std::vector{0, 1}}})
                        .Done());
        }
        if (document == QStringLiteral("edited")) {
            shown.frame.Action("face.flip")->trigger();
        }
        for (const QString& id : enabled) {
            QVERIFY2(shown.frame.Action(id.toStdString())->isEnabled(), qPrintable(id));
        }
        for (const QString& id : disabled) {
            QVERIFY2(!shown.frame.Action(id.toStdString())->isEnabled(), qPrintable(id));
        }
        for (const CommandSpec* spec : CommandTable::Global().All()) {
            if (const QAction* action = shown.frame.Action(spec->id)) {
                QVERIFY2(action->isChecked() == checked.contains(QString::fromStdString(spec->id)),
                         spec->id.c_str());
            }
        }
        QCOMPARE(shown.frame.Action("edit.undo")->text(), undoText);
    }

    void aDisabledCommandSaysWhy() {
        ShownFrame shown;
        QCOMPARE(shown.frame.Action("edit.undo")->statusTip(),
                 QStringLiteral("直前に行った動作を元に戻す（元に戻す操作がありません）"));
    }

    void createSphereFromTheMenuIsOneStep() {
        ShownFrame shown;
        shown.prompts.parameterAnswers = {Values{{"size", 300.0}, {"segments", 12}, {"rings", 6}}};
        QMenu* create = shown.frame.Menu("create");
        QMenuBar* bar = shown.frame.menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(create->menuAction()).center());
        QTRY_VERIFY(create->isVisible());
        QAction* sphere = shown.frame.Action("create.sphere");
        QTest::mouseClick(create, Qt::LeftButton, {}, create->actionGeometry(sphere).center());

        QCOMPARE(shown.prompts.asked, QStringList{QStringLiteral("parameters 球")});
        QCOMPARE(shown.prompts.askedParameters,
                 (std::vector<std::string>{"size", "segments", "rings"}));
        QCOMPARE(shown.Scene().models.size(), std::size_t{1});
        const CModel& made = shown.Scene().models[0];
        QCOMPARE(made.faces.size(), std::size_t{12 * 6});
        float top = 0;
        for (const CVector& v : made.vertices) {
            top = std::max(top, v.y);
        }
        QVERIFY2(std::abs(top - 150) < 0.01f, qPrintable(QString::number(top)));
        QVERIFY(shown.doc.IsModified() && shown.frame.isWindowModified());
        QAction* undo = shown.frame.Action("edit.undo");
        QCOMPARE(undo->text(), QStringLiteral("元に戻す: 球(&U)"));

        // The dialog offers the last values again; a cancel adds nothing.
        sphere->trigger();
        QCOMPARE(shown.prompts.offeredValues.at("segments").Integer(), 12);
        QCOMPARE(shown.Scene().models.size(), std::size_t{1});

        undo->trigger();
        QVERIFY(shown.Scene().models.empty());
        QVERIFY(!shown.doc.IsModified() && !undo->isEnabled());
    }

    void aRefusalReachesTheUserInJapanese() {
        ShownModels shown;
        shown.frame.Action("face.create")->trigger();
        QCOMPARE(shown.prompts.errors.size(), 1);
        QVERIFY2(shown.prompts.errors[0].startsWith(
                     QStringLiteral("「面を張る」を実行できませんでした。\n")),
                 qPrintable(shown.prompts.errors[0]));
        QCOMPARE(shown.Scene().models[0].faces.size(), std::size_t{6});
        QVERIFY(!shown.doc.IsModified());
    }

    void mergeChoosesTheObjectsInTheDialog() {
        ShownModels shown;
        shown.prompts.parameterAnswers = {Values{{"objects", std::vector{1}}}};
        shown.frame.Action("object.merge")->trigger();
        QCOMPARE(shown.prompts.askedParameters, std::vector<std::string>{"objects"});
        QCOMPARE(shown.Scene().models.size(), std::size_t{1});
        QCOMPARE(shown.Scene().models[0].faces.size(), std::size_t{6 + 16});
    }

    void ctrlASelectsEveryFaceOfTheScene() {
        ShownModels shown;
        shown.frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.frame));
        shown.frame.View()->setFocus();
        QTest::keyClick(shown.frame.View(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(SelectedFaces(shown.Scene()), std::size_t{6 + 16});
        QVERIFY(!shown.doc.IsModified());
        QVERIFY(shown.frame.Action("edit.copy")->isEnabled());
        QTest::keyClick(shown.frame.View(), Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(SelectedFaces(shown.Scene()), std::size_t{0});
    }

    void aToolChosenAgainShowsItsPageAgain() {
        ShownFrame shown;
        QToolBar* tools = shown.frame.ToolToolBar();
        QAction* move = shown.frame.Action("tool.move");
        QTest::mouseClick(tools->widgetForAction(move), Qt::LeftButton);
        shown.frame.ShowPropertyPage(PageObject);
        QTest::mouseClick(tools->widgetForAction(move), Qt::LeftButton);
        QVERIFY(move->isChecked());
        QCOMPARE(shown.frame.CurrentPage(), int(PageMove));
        QCOMPARE(shown.Scene().toolMode, int(ToolMove));
    }

    void theOptionsDialogAsksTheLabelledParameters() {
        std::vector<ParamSpec> asked;
        for (const ParamSpec& param : CommandTable::Global().Find("create.sphere")->params) {
            if (!param.label.empty()) {
                asked.push_back(param);
            }
        }
        // Types 24 segments once the dialog is up, and presses Enter.
        QTimer typist;
        connect(&typist, &QTimer::timeout, &typist, [&typist] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (dialog == nullptr) {
                return;
            }
            typist.stop();
            for (QSpinBox* box : dialog->findChildren<QSpinBox*>()) {
                if (box->accessibleName() == QStringLiteral("分割数")) {
                    box->setFocus();
                    box->selectAll();
                    QTest::keyClicks(box, QStringLiteral("24"));
                }
            }
            QTest::keyClick(dialog, Qt::Key_Return);
        });
        typist.start(10);
        CWidgetPrompts prompts(nullptr);
        const std::optional<Values> values =
            prompts.AskParameters(QStringLiteral("球"), asked, {{"rings", 5}});
        QVERIFY(values);
        QCOMPARE(values->at("segments").Integer(), 24);
        QCOMPARE(values->at("rings").Integer(), 5);
        QCOMPARE(values->at("size").Number(), double(std::get<float>(*asked[0].fallback)));
    }

    void noTwoActionsShareAKey() {
        ShownFrame shown;
        std::set<QString> keys;
        for (const QAction* action : shown.frame.findChildren<QAction*>()) {
            if (action->associatedObjects().isEmpty()) {
                continue;
            }
            for (const QKeySequence& key : action->shortcuts()) {
                QVERIFY2(keys.insert(key.toString()).second,
                         qPrintable(key.toString() + u' ' + action->objectName()));
            }
        }
        // Every key of the table reaches its action, the keypad's too.
        for (const CommandSpec* spec : CommandTable::Global().All()) {
            for (const std::string& shortcut : spec->shortcuts) {
                QVERIFY2(!ShortcutFromTable(shortcut).isEmpty(), shortcut.c_str());
            }
        }
        const QKeyCombination period = ShortcutFromTable("Num+.")[0];
        QCOMPARE(period.key(), Qt::Key_Period);
        QCOMPARE(period.keyboardModifiers(), Qt::KeypadModifier);
    }
};

QUORVEL_PRIVATE_HOME_TEST_MAIN(CommandMenusTest)

#include "command_menus_test.moc"
