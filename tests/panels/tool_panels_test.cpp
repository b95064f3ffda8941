// The select, move, rotate and scale forms, the empty page and the display bar.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>

#include "panel_test_support.h"
#include "panels/commit_line_edit.h"
#include "panels/display_view.h"
#include "panels/tool_property_views.h"

namespace {

// Two selected vertices of object 0 (one selected directly, one as a corner of
// a selected face would be) around the manipulator at (5, 0, 0).
void SelectTwoVertices(CQuorvelDoc& doc) {
    CCentigrade& scene = doc.Scene();
    CModel& model = scene.models[0];
    model.vertices[0] = CVector(0, 0, 0);
    model.vertices[1] = CVector(10, 0, 0);
    model.vertices[0].selected = true;
    model.vertices[1].mark = true;
    scene.gizmo = CVector(5, 0, 0);
}

const CVector& Vertex(CQuorvelDoc& doc, int index) {
    return doc.Scene().models[0].vertices[static_cast<std::size_t>(index)];
}

}  // namespace

class ToolPanelsTest : public QObject {
    Q_OBJECT

private slots:
    void selectModeSurvivesSwitchingPages() {
        CQuorvelDoc doc;
        auto* form = new CSelectPropertyView(doc);
        PanelWindow window(form);
        QCOMPARE(form->Modes()->button(SelectNormal)->text(), QString("通常"));
        QCOMPARE(form->Modes()->button(SelectBrush)->text(), QString("ブラシ選択"));
        QAbstractButton* belt = form->Modes()->button(SelectBelt);
        QTest::mouseClick(belt, Qt::LeftButton, {}, QPoint(8, belt->height() / 2));
        QCOMPARE(doc.Scene().selectMode, int(SelectBelt));
        form->hide();
        form->show();
        QVERIFY(form->Modes()->button(SelectBelt)->isChecked());
        doc.Scene().Reset();
        form->OnInitialUpdate();
        QVERIFY(form->Modes()->button(SelectBelt)->isChecked());
        SaveArtifact(form, "select_form");
    }

    void moveBoxesMoveTheSelection() {
        CQuorvelDoc doc;
        FillScene(doc);
        SelectTwoVertices(doc);
        auto* form = new CMovePropertyView(doc);
        PanelWindow window(form);
        // Boxes that lose the focus unedited change nothing.
        for (Axis axis : kAxes) {
            form->Relative().Box(axis)->setFocus();
            QTest::keyClick(form->Relative().Box(axis), Qt::Key_Tab);
        }
        QVERIFY(!doc.IsModified());

        TypeInto(form->Relative().Box(Axis::X), "10");
        QCOMPARE(Vertex(doc, 0).x, 10.0f);
        QCOMPARE(Vertex(doc, 1).x, 20.0f);
        QCOMPARE(form->Relative().Box(Axis::X)->text(), QString("0"));
        QCOMPARE(doc.Scene().gizmo.x, 5.0f);
        QVERIFY(doc.IsModified());

        TypeAndClickElsewhere(window, form->Absolute().Box(Axis::Y), "7.5");
        QCOMPARE(Vertex(doc, 0).y, 7.5f);
        QCOMPARE(Vertex(doc, 1).y, 0.0f);
        QCOMPARE(form->Absolute().Box(Axis::Y)->text(), QString());
        SaveArtifact(form, "move_form");
    }

    // Boxes without bounds refuse what is not a finite number: nothing moves
    // and each box shows what it showed before.
    void unboundedBoxesRefuseWhatIsNotFinite_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("beyond the float range") << "1e40";
        QTest::newRow("infinity") << "inf";
        QTest::newRow("negative infinity") << "-INFINITY";
        QTest::newRow("not a number") << "nan";
    }

    void unboundedBoxesRefuseWhatIsNotFinite() {
        QFETCH(QString, typed);
        CQuorvelDoc doc;
        FillScene(doc);
        SelectTwoVertices(doc);
        auto* move = new CMovePropertyView(doc);
        auto* scale = new CScalePropertyView(doc);
        auto* page = new QWidget;
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(move);
        layout->addWidget(scale);
        PanelWindow window(page, QSize(260, 900));
        const CVector before = Vertex(doc, 0);
        const QString centreBefore = scale->Centre().Box(Axis::Y)->text();
        TypeInto(move->Relative().Box(Axis::X), typed);
        TypeInto(move->Absolute().Box(Axis::Y), typed);
        TypeInto(scale->Amounts().Box(Axis::Z), typed);
        TypeInto(scale->Centre().Box(Axis::Y), typed);
        QCOMPARE(Vertex(doc, 0).x, before.x);
        QCOMPARE(Vertex(doc, 0).y, before.y);
        QCOMPARE(Vertex(doc, 0).z, before.z);
        QCOMPARE(doc.Scene().gizmo.y, 0.0f);
        QVERIFY(!doc.IsModified());
        QCOMPARE(move->Relative().Box(Axis::X)->text(), QString("0"));
        QCOMPARE(move->Absolute().Box(Axis::Y)->text(), QString());
        QCOMPARE(scale->Amounts().Box(Axis::Z)->text(), QString("1"));
        QCOMPARE(scale->Centre().Box(Axis::Y)->text(), centreBefore);
    }

    void scaleBoxesTakeOnlyPositiveFactors() {
        CQuorvelDoc doc;
        FillScene(doc);
        SelectTwoVertices(doc);
        auto* form = new CScalePropertyView(doc);
        PanelWindow window(form);
        QCOMPARE(form->Centre().Box(Axis::X)->text(), QString("5.000000"));
        TypeInto(form->Amounts().Box(Axis::X), "-3");
        QCOMPARE(Vertex(doc, 1).x, 10.0f);
        QCOMPARE(form->Amounts().Box(Axis::X)->text(), QString("1"));
        TypeInto(form->Amounts().Box(Axis::X), "2");
        QCOMPARE(Vertex(doc, 0).x, -5.0f);
        QCOMPARE(Vertex(doc, 1).x, 15.0f);
        SaveArtifact(form, "scale_form");
    }

    void rotationTurnsAboutTheSharedCentre() {
        CQuorvelDoc doc;
        FillScene(doc);
        SelectTwoVertices(doc);
        auto* rotate = new CRotatePropertyView(doc);
        auto* scale = new CScalePropertyView(doc);
        PanelWindow window(rotate);
        TypeInto(rotate->Centre().Box(Axis::X), "10");
        QCOMPARE(doc.Scene().gizmo.x, 10.0f);
        QCOMPARE(rotate->Centre().Box(Axis::X)->text(), QString("10"));
        doc.Replaced();
        QCOMPARE(scale->Centre().Box(Axis::X)->text(), QString("10.000000"));
        delete scale;

        TypeInto(rotate->Amounts().Box(Axis::Z), "45");
        QCOMPARE(rotate->Amounts().Box(Axis::Z)->text(), QString("0"));
        const CVector& turned = Vertex(doc, 0);
        QVERIFY(std::fabs(turned.x - (10.0f - 10.0f * std::cos(0.785398f))) < 1e-3f);
        QVERIFY(std::fabs(std::fabs(turned.y) - 10.0f * std::sin(0.785398f)) < 1e-3f);
        QCOMPARE(Vertex(doc, 1).x, 10.0f);

        // Nothing typed can make a coordinate infinite or NaN.
        TypeInto(rotate->Amounts().Box(Axis::X), "inf");
        TypeInto(rotate->Amounts().Box(Axis::Y), "1e39");
        QVERIFY(std::isfinite(Vertex(doc, 0).y) && std::isfinite(Vertex(doc, 0).z));
        SaveArtifact(rotate, "rotate_form");
    }

    void displayBarTogglesWhatTheViewShows() {
        CQuorvelDoc doc;
        auto* bar = new CDisplayView(doc);
        PanelWindow window(bar, QSize(500, 80));
        QSignalSpy redraws(&doc, &CQuorvelDoc::changed);
        QPushButton* faces = bar->Toggle(DisplayFlag::Faces);
        QVERIFY(faces->isChecked());
        QTest::mouseClick(faces, Qt::LeftButton);
        QVERIFY(!doc.Scene().showFaces);
        QVERIFY(!faces->isChecked());
        QTest::mouseClick(faces, Qt::LeftButton);
        QVERIFY(doc.Scene().showFaces);
        QVERIFY(faces->isChecked());
        QCOMPARE(redraws.size(), 2);

        QTest::mouseClick(bar->Toggle(DisplayFlag::Vertices), Qt::LeftButton);
        QVERIFY(doc.Scene().showVertices);
        QCOMPARE(bar->FrontButton()->geometry(), QRect(bar->width() - 30, 0, 20, 20));
        QTest::mouseClick(bar->FrontButton(), Qt::LeftButton);
        QCOMPARE(redraws.size(), 3);

        // A new document resets the flags, and the buttons follow.
        doc.Scene().Reset();
        doc.Replaced();
        QVERIFY(!bar->Toggle(DisplayFlag::Vertices)->isChecked());
        SaveArtifact(bar, "display_bar");
    }

    void emptyPageHasNoControls() {
        CQuorvelDoc doc;
        auto* page = new CPropertyView(doc);
        PanelWindow window(page);
        QVERIFY(page->findChildren<QWidget*>().isEmpty());
        SaveArtifact(page, "empty_form");
    }
};

int RunToolPanelsTest(int argc, char** argv) {
    ToolPanelsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tool_panels_test.moc"
