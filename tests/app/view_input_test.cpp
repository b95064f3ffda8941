// Mouse and keyboard in the 3D view: picks, manipulator drags, camera moves,
// the wheel and the range tool, driven by real Qt events. Positions are
// client pixels; the test also runs with a device pixel ratio of 2, where a
// click must still hit what is drawn under the cursor.
#include <QSignalSpy>
#include <QtTest>

#include "app/gl_format.h"
#include "edit/gizmo.h"
#include "edit/pick.h"
#include "support/mesh_generators.h"
#include "view/manipulator_tables.h"
#include "view_test_support.h"

namespace {

void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

void Press(QWidget* target, Qt::MouseButton button, QPoint at, Qt::MouseButtons alsoHeld = {}) {
    Send(target, QEvent::MouseButtonPress, at, button, alsoHeld | button);
}

void Release(QWidget* target, Qt::MouseButton button, QPoint at, Qt::MouseButtons stillHeld = {}) {
    Send(target, QEvent::MouseButtonRelease, at, button, stillHeld);
}

void Move(QWidget* target, QPoint at, Qt::MouseButtons held) {
    Send(target, QEvent::MouseMove, at, Qt::NoButton, held);
}

void Wheel(QWidget* target, int delta) {
    const QPoint at(kViewWidth / 2, kViewHeight / 2);
    QWheelEvent event(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(target, &event);
}

// A cube of 200 around the origin with one material, seen from the default camera.
void AddCube(CCentigrade& scene) {
    scene.materials.push_back(CMaterial(0));
    CModel cube = MakeCube(200);
    cube.ComputeNormals(1);
    scene.models.push_back(cube);
}

QPoint ClientOf(const CCentigrade& scene, const CVector& p) {
    QPoint at;
    if (!ProjectToClient(scene, p, at)) {
        qFatal("point outside the view");
    }
    return at;
}

int SelectedVertexCount(const CModel& model) {
    int count = 0;
    for (const CVector& v : model.vertices) {
        count += v.selected ? 1 : 0;
    }
    return count;
}

}  // namespace

class ViewInputTest : public QObject {
    Q_OBJECT

private slots:
    void clickOnAVertexSelectsItAndOnNothingClears() {
        ShownView shown;
        AddCube(shown.scene);
        shown.scene.toolMode = ToolSelect;
        shown.scene.faceSelectable = false;
        const CVector& corner = shown.scene.models[0].vertices[0];
        Press(shown.view.get(), Qt::LeftButton, ClientOf(shown.scene, corner));
        Release(shown.view.get(), Qt::LeftButton, ClientOf(shown.scene, corner));
        QVERIFY(shown.scene.models[0].vertices[0].selected);
        QCOMPARE(SelectedVertexCount(shown.scene.models[0]), 1);

        Press(shown.view.get(), Qt::LeftButton, QPoint(5, 5));
        Release(shown.view.get(), Qt::LeftButton, QPoint(5, 5));
        QCOMPARE(SelectedVertexCount(shown.scene.models[0]), 0);
    }

    // Objects the pick has not seen yet (the view opened on them, or an import
    // added them), a mode in which nothing is eligible: the click finds
    // nothing and drops the selection.
    void firstClickWhereNothingIsEligible() {
        ShownView shown;
        AddCube(shown.scene);
        AddCube(shown.scene);
        shown.scene.toolMode = ToolSelect;
        shown.scene.selectMode = SelectConnected;
        shown.scene.faceSelectable = false;
        shown.scene.models[1].faces[2].selected = true;
        QTest::mouseClick(shown.view.get(), Qt::LeftButton, {},
                          QPoint(kViewWidth / 2, kViewHeight / 2));
        QVERIFY(!shown.scene.models[1].faces[2].selected);
    }

    void clickHitsTheVertexWhereItIsDrawn() {
        // Found in the framebuffer, so that a view whose drawing and picking
        // disagree about pixels (device pixel ratio) misses it.
        ShownView shown;
        AddCube(shown.scene);
        shown.scene.showFaces = false;
        shown.scene.showAxis = false;
        shown.scene.showVertices = true;
        shown.scene.toolMode = ToolSelect;
        shown.scene.faceSelectable = false;
        for (CVector& v : shown.scene.models[0].vertices) {
            v.used = false;
        }
        shown.scene.models[0].vertices[6].used = true;
        shown.scene.models[0].Touch();
        const QImage image = shown.view->grabFramebuffer();
        const QRect drawn = BoundsOfPixelsOtherThan(image, kBackground);
        QVERIFY(!drawn.isEmpty());
        const double ratio = shown.view->devicePixelRatio();
        QCOMPARE(image.width(), qRound(kViewWidth * ratio));
        const QPoint click(static_cast<int>(drawn.center().x() / ratio),
                           static_cast<int>(drawn.center().y() / ratio));
        Press(shown.view.get(), Qt::LeftButton, click);
        Release(shown.view.get(), Qt::LeftButton, click);
        QVERIFY(shown.scene.models[0].vertices[6].selected);
    }

    void xArrowDragMovesTheSelectionAndTheManipulator() {
        ShownView shown;
        AddCube(shown.scene);
        CModel& cube = shown.scene.models[0];
        cube.faces[0].selected = true;
        shown.scene.toolMode = ToolMove;
        UpdateGizmo(shown.scene);
        const CVector gizmoBefore = shown.scene.gizmo;
        const auto before = cube.vertices;
        QSignalSpy modified(&shown.doc, &CQuorvelDoc::historyChanged);

        // The middle of the x arrow head, between its base centre and its tip.
        CVector head = handleArrowPoints[0];
        head += handleArrowPoints[4];
        head = CVector(head.x / 2, head.y / 2, head.z / 2);
        QPoint at;
        QVERIFY(ProjectManipulatorPoint(shown.scene, head, at));
        Press(shown.view.get(), Qt::LeftButton, at);
        QCOMPARE(shown.scene.hitIndex, HandleX);
        Move(shown.view.get(), at + QPoint(4, 0), Qt::LeftButton);
        Move(shown.view.get(), at + QPoint(10, 0), Qt::LeftButton);
        Release(shown.view.get(), Qt::LeftButton, at + QPoint(10, 0));

        for (std::size_t i = 0; i < cube.vertices.size(); ++i) {
            const bool moved = cube.vertices[i].mark;
            QCOMPARE(cube.vertices[i].x, before[i].x + (moved ? 10.0f : 0.0f));
            QCOMPARE(cube.vertices[i].y, before[i].y);
        }
        QCOMPARE(shown.scene.gizmo.x, gizmoBefore.x + 10);
        QCOMPARE(modified.count(), 1);
        QVERIFY(shown.doc.IsModified());
    }

    void dragOnEmptySpaceMovesNothingButModifies() {
        ShownView shown;
        AddCube(shown.scene);
        shown.scene.models[0].faces[0].selected = true;
        shown.scene.toolMode = ToolMove;
        UpdateGizmo(shown.scene);
        const auto before = shown.scene.models[0].vertices;
        QSignalSpy modified(&shown.doc, &CQuorvelDoc::historyChanged);
        Press(shown.view.get(), Qt::LeftButton, QPoint(5, 5));
        QCOMPARE(shown.scene.hitIndex, HandleNone);
        Move(shown.view.get(), QPoint(25, 5), Qt::LeftButton);
        Release(shown.view.get(), Qt::LeftButton, QPoint(25, 5));
        QCOMPARE(shown.scene.models[0].vertices[3].x, before[3].x);
        QCOMPARE(modified.count(), 0);
        QVERIFY(shown.doc.IsModified());
    }

    void rightDragOrbitsOneDegreePerPixel() {
        ShownView shown;
        Press(shown.view.get(), Qt::RightButton, QPoint(100, 100));
        Move(shown.view.get(), QPoint(110, 95), Qt::RightButton);
        Move(shown.view.get(), QPoint(130, 95), Qt::RightButton);
        Release(shown.view.get(), Qt::RightButton, QPoint(130, 95));
        QCOMPARE(shown.scene.camera.rotation.x, 20.0f - 5.0f);
        QCOMPARE(shown.scene.camera.rotation.y, -50.0f + 30.0f);
        QVERIFY(!shown.view->Input().RightDown());
    }

    void bothButtonsZoomAndReleaseReturnsToOrbiting() {
        ShownView shown;
        Press(shown.view.get(), Qt::RightButton, QPoint(100, 100));
        Press(shown.view.get(), Qt::LeftButton, QPoint(100, 100), Qt::RightButton);
        Move(shown.view.get(), QPoint(130, 100), Qt::LeftButton | Qt::RightButton);
        QCOMPARE(shown.scene.zoom, 103.0f);
        Release(shown.view.get(), Qt::LeftButton, QPoint(130, 100), Qt::RightButton);
        Move(shown.view.get(), QPoint(140, 100), Qt::RightButton);
        QCOMPARE(shown.scene.camera.rotation.y, -40.0f);
        Release(shown.view.get(), Qt::RightButton, QPoint(140, 100));
    }

    void middleButtonPansWithoutItsPress() {
        ShownView shown;
        Move(shown.view.get(), QPoint(100, 100), Qt::NoButton);
        Move(shown.view.get(), QPoint(107, 103), Qt::MiddleButton);
        QCOMPARE(shown.scene.camera.position.x, 7.0f);
        QCOMPARE(shown.scene.camera.position.y, -3.0f);
        Move(shown.view.get(), QPoint(120, 120), Qt::NoButton);
        QCOMPARE(shown.scene.camera.position.x, 7.0f);
    }

    void wheelZoomsTwelvePerNotchAndNeverBelowOne() {
        ShownView shown;
        Wheel(shown.view.get(), 120);
        QCOMPARE(shown.scene.zoom, 112.0f);
        shown.scene.zoom = 5;
        Wheel(shown.view.get(), -120);
        QCOMPARE(shown.scene.zoom, 1.0f);
        Wheel(shown.view.get(), -120);
        QCOMPARE(shown.scene.zoom, 1.0f);
    }

    void rangeToolSelectsTheVerticesInsideTheRectangle() {
        ShownView shown;
        AddCube(shown.scene);
        shown.scene.toolMode = ToolRangeSelect;
        const CModel& cube = shown.scene.models[0];
        // A rectangle around the projection of vertex 0 only.
        const QPoint centre = ClientOf(shown.scene, cube.vertices[0]);
        Press(shown.view.get(), Qt::LeftButton, centre + QPoint(6, 6));
        Move(shown.view.get(), centre - QPoint(6, 6), Qt::LeftButton);
        QCOMPARE(shown.scene.rubberBand[2], centre.x() - 6);
        QVERIFY(!BoundsOfPixelsOtherThan(shown.view->grabFramebuffer(), kBackground).isEmpty());
        Release(shown.view.get(), Qt::LeftButton, centre - QPoint(6, 6));
        QVERIFY(cube.vertices[0].selected);
        QCOMPARE(SelectedVertexCount(cube), 1);
        QCOMPARE(shown.scene.rubberBand[0], centre.x() - 6);
        QCOMPARE(shown.scene.rubberBand[2], centre.x() - 6);
    }

    void shiftHeldInTheViewSetsTheKeyFlag() {
        ShownView shown;
        shown.view->setFocus();
        QTest::keyPress(shown.view.get(), Qt::Key_Shift);
        QVERIFY(shown.scene.keyFlag);
        QTest::keyRelease(shown.view.get(), Qt::Key_Shift);
        QVERIFY(!shown.scene.keyFlag);
    }

    void functionKeysTurnToThePresetViews() {
        ShownView shown;
        shown.view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(shown.view.get()));
        shown.scene.camera.position = CVector(10, 20, -1500);
        QTest::keyClick(shown.view.get(), Qt::Key_F2);
        QCOMPARE(shown.scene.camera.rotation.x, 90.0f);
        QCOMPARE(shown.scene.camera.position.y, 0.0f);
        QTest::keyClick(shown.view.get(), Qt::Key_F1, Qt::ShiftModifier);
        QCOMPARE(shown.scene.camera.rotation.y, 90.0f);
        QTest::keyClick(shown.view.get(), Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(shown.scene.camera.rotation.y, 180.0f);
        QTest::keyClick(shown.view.get(), Qt::Key_F3);
        QCOMPARE(shown.scene.camera.rotation.y, 0.0f);
        QCOMPARE(shown.scene.camera.position.z, -1500.0f);
    }

    void paintToolMarksTheDocumentModifiedOnlyOnAHit() {
        ShownView shown;
        AddCube(shown.scene);
        shown.scene.materials.push_back(CMaterial(1));
        shown.scene.currentMaterial = 1;
        shown.scene.toolMode = ToolPaintMaterial;
        QSignalSpy modified(&shown.doc, &CQuorvelDoc::historyChanged);
        Press(shown.view.get(), Qt::LeftButton, QPoint(5, 5));
        Release(shown.view.get(), Qt::LeftButton, QPoint(5, 5));
        QCOMPARE(modified.count(), 0);
        const QPoint centre(kViewWidth / 2, kViewHeight / 2);
        Press(shown.view.get(), Qt::LeftButton, centre);
        Release(shown.view.get(), Qt::LeftButton, centre);
        QCOMPARE(modified.count(), 1);
    }
};

int main(int argc, char** argv) {
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    ViewInputTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "view_input_test.moc"
