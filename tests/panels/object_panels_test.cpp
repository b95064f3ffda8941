// The object list with its state buttons, and the object form.
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>

#include "commands/targets.h"
#include "edit/gizmo.h"
#include "panel_test_support.h"
#include "panels/commit_line_edit.h"
#include "panels/model_property_view.h"
#include "panels/model_view.h"
#include "panels/scene_rows_model.h"
#include "panels/state_images.h"

Q_DECLARE_METATYPE(StateZone)

namespace {

struct ObjectPanels : FormAndList<CModelPropertyView, CModelView> {
    explicit ObjectPanels(QSize size = QSize(420, 400)) : FormAndList(size) {}

    int State(int index) const { return doc.Scene().models[static_cast<std::size_t>(index)].state; }
    // The middle of a state button as it is drawn, in viewport pixels.
    QPoint ButtonCentre(int row, StateZone zone) const {
        const QRect image = StateImageRect(list->visualRect(list->Rows()->index(row, 0)));
        const int quarter = image.width() / 4;
        return QPoint(image.left() + (zone == StateZone::Visibility ? quarter : 3 * quarter),
                      image.center().y());
    }
};

// Faceted: every corner of face 0 takes the same normal.
bool FaceZeroIsFlat(const CModel& model) {
    const CVector first = model.CornerNormal(0, 0);
    for (std::size_t c = 1; c < model.faces[0].indices.size(); ++c) {
        const CVector normal = model.CornerNormal(0, c);
        if (normal.x != first.x || normal.y != first.y || normal.z != first.z) {
            return false;
        }
    }
    return true;
}

}  // namespace

class ObjectPanelsTest : public QObject {
    Q_OBJECT

private slots:
    void stateButtonsFlipVisibilityAndLock_data() {
        QTest::addColumn<StateZone>("zone");
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::newRow("eye hides") << StateZone::Visibility << 0 << 3;
        QTest::newRow("eye shows") << StateZone::Visibility << 3 << 0;
        QTest::newRow("eye on a locked object") << StateZone::Visibility << 1 << 2;
        QTest::newRow("key locks") << StateZone::Lock << 0 << 1;
        QTest::newRow("key unlocks a hidden object") << StateZone::Lock << 2 << 3;
    }

    void stateButtonsFlipVisibilityAndLock() {
        QFETCH(StateZone, zone);
        QFETCH(int, before);
        QFETCH(int, after);
        ObjectPanels panels;
        panels.doc.Scene().models[1].state = before;
        QSignalSpy redraws(&panels.doc, &CQuorvelDoc::changed);
        QTest::mouseClick(panels.list->viewport(), Qt::LeftButton, {},
                          panels.ButtonCentre(1, zone));
        QCOMPARE(panels.State(1), after);
        QCOMPARE(panels.doc.Scene().currentModel, 1);
        QCOMPARE(panels.list->MarkedRow(), 1);
        QVERIFY(!redraws.isEmpty());
    }

    // A hidden object is not drawn, and the manipulator no longer counts it.
    void hidingAnObjectDropsItFromTheManipulator() {
        ObjectPanels panels;
        CCentigrade& scene = panels.doc.Scene();
        scene.models[0].vertices[0].selected = true;
        UpdateGizmo(scene);
        QVERIFY(scene.showGizmo);
        QTest::mouseClick(panels.list->viewport(), Qt::LeftButton, {},
                          panels.ButtonCentre(0, StateZone::Visibility));
        QVERIFY(!scene.showGizmo);
        scene.models[1].state = 1;
        scene.models[2].state = 2;
        panels.list->viewport()->update();
        SaveArtifact(panels.list, "object_list");
    }

    // The zones follow the drawn buttons when the list is scrolled sideways.
    void zonesFollowTheImageWhenScrolled() {
        ObjectPanels panels(QSize(260, 300));
        panels.list->header()->resizeSection(1, 600);
        panels.list->horizontalScrollBar()->setValue(20);
        QVERIFY(panels.list->horizontalScrollBar()->value() > 0);
        QTest::mouseClick(panels.list->viewport(), Qt::LeftButton, {},
                          panels.ButtonCentre(0, StateZone::Lock));
        QCOMPARE(panels.State(0), 1);
    }

    // The double-click as the window system delivers it: a press and release,
    // then the second press as the double-click event alone.
    void doubleClickOnAButtonLeavesItAndOpensTheForm() {
        for (StateZone zone : {StateZone::Visibility, StateZone::Lock}) {
            ObjectPanels panels;
            QSignalSpy pages(&panels.doc, &CQuorvelDoc::propertyPageRequested);
            QWidget* viewport = panels.list->viewport();
            QTest::mouseDClick(viewport->window()->windowHandle(), Qt::LeftButton, {},
                               viewport->mapTo(viewport->window(), panels.ButtonCentre(2, zone)));
            QCOMPARE(panels.State(2), 0);
            QCOMPARE(panels.doc.Scene().currentModel, 2);
            QCOMPARE(panels.doc.Scene().toolMode, int(ToolObjectForm));
            QCOMPARE(pages.size(), 1);
            QCOMPARE(pages[0][0].toInt(), int(PageObject));
        }
    }

    // Rows follow the document one by one: an object added or removed
    // elsewhere keeps the marked row on its object, and a renamed one shows
    // its new name.
    void rowsFollowInsertionsRemovalsAndRenames() {
        ObjectPanels panels;
        QVERIFY(panels.doc.Run("object.current", {{"object", 2}}).Done());
        QVERIFY(panels.doc.Run("object.rename", {{"object", 0}, {"name", "top"}}).Done());
        QCOMPARE(panels.list->MarkedRow(), 2);
        QCOMPARE(panels.list->Rows()->index(0, 1).data().toString(), QString("top"));
        QVERIFY(panels.doc.Run("create.cube").Done());
        QCOMPARE(panels.list->Rows()->rowCount(), 4);
        QVERIFY(panels.doc.Run("object.current", {{"object", 1}}).Done());
        QVERIFY(panels.doc.Run("object.merge", {{"objects", std::vector{0}}}).Done());
        QCOMPARE(panels.list->Rows()->rowCount(), 3);
        QCOMPARE(panels.list->MarkedRow(), 0);
    }

    void keysPicksAndMissesChooseTheCurrentObject() {
        ObjectPanels panels;
        QTest::mouseClick(panels.list->viewport(), Qt::LeftButton, {}, panels.CellCentre(0, 1));
        QTest::keyClick(panels.list, Qt::Key_Down);
        QCOMPARE(panels.doc.Scene().currentModel, 1);
        QCOMPARE(panels.list->MarkedRow(), 1);
        QCOMPARE(panels.form->NameBox()->text(), QString("箱"));

        QVERIFY(panels.doc.Run("object.current", {{"object", 2}}).Done());
        QCOMPARE(panels.list->MarkedRow(), 2);
        QCOMPARE(panels.form->NameBox()->text(), QString("lid"));

        // A replaced document rebuilds the rows without marking one.
        panels.doc.Replaced();
        QCOMPARE(panels.list->MarkedRow(), -1);
        QCOMPARE(panels.doc.Scene().currentModel, 2);

        QTest::mouseClick(panels.list->viewport(), Qt::LeftButton, {},
                          panels.CellCentre(2, 1) + QPoint(0, 100));
        QCOMPARE(panels.doc.Scene().currentModel, -1);
        panels.doc.SetModifiedFlag(false);
        TypeInto(panels.form->FacetBox(), "10");
        TypeInto(panels.form->NameBox(), "other");
        QCOMPARE(panels.doc.Scene().models[2].name, std::string("lid"));
        QVERIFY(!panels.doc.IsModified());
    }

    void smoothingAngleAppliesOnFocusLoss() {
        ObjectPanels panels;
        CModel& model = panels.doc.Scene().models[0];
        model.facet = 100.0f;
        model.ComputeNormals(1);
        QVERIFY(!FaceZeroIsFlat(model));
        TypeAndClickElsewhere(*panels.window, panels.form->FacetBox(), "0");
        QCOMPARE(model.facet, 0.0f);
        QVERIFY(FaceZeroIsFlat(model));
        QVERIFY(panels.doc.IsModified());
        TypeInto(panels.form->FacetBox(), "abc", Qt::Key_Enter);
        QCOMPARE(model.facet, 0.0f);
        QVERIFY(panels.form->FacetBox()->hasFocus());
        // An angle that is no finite number is refused; the box shows the kept one.
        TypeInto(panels.form->FacetBox(), "30");
        TypeInto(panels.form->FacetBox(), "1e40", Qt::Key_Enter);
        QCOMPARE(model.facet, 30.0f);
        QCOMPARE(panels.form->FacetBox()->text(), QString("30.000000"));
        TypeInto(panels.form->FacetBox(), "-0");
        QCOMPARE(model.facet, 0.0f);
        QVERIFY(!std::signbit(model.facet));
        SaveArtifact(panels.form, "object_form");
    }
};

int RunObjectPanelsTest(int argc, char** argv) {
    ObjectPanelsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "object_panels_test.moc"
