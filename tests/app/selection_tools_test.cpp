// The selection tools of the main window's 3D view and display bar: Alt+click
// selects an edge loop, Ctrl+Alt+click an edge ring, Shift adds; the 透
// button turns see-through on and off and follows the scene's flag.
#include <QPushButton>
#include <QtTest>
#include <algorithm>
#include <set>

#include "app/gl_format.h"
#include "app/quorvel_view.h"
#include "edit/edge_loops.h"
#include "panels/display_view.h"
#include "private_home.h"
#include "shown_frame.h"
#include "support/mesh_generators.h"
#include "view_test_support.h"

namespace {

constexpr int kCells = 4;
constexpr float kCell = 60;

// The grid of kCells × kCells quads turned into the plane z = 0, seen from the
// front: rows of edges run along x.
void AddUprightGrid(CQuorvelDoc& doc) {
    CCentigrade& scene = doc.Scene();
    scene.materials.push_back(CMaterial(0));
    CModel grid = MakeQuadGrid(kCells, kCell);
    for (CVector& v : grid.vertices) {
        v = CVector(v.x, v.z, 0);
    }
    scene.models.push_back(grid);
    scene.camera.rotation = CVector(0, 0, 0);
    scene.toolMode = ToolSelect;
}

void SendClick(QWidget* view, QPoint at, Qt::KeyboardModifiers held) {
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, QPointF(at), QPointF(view->mapToGlobal(at)), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, held);
        QCoreApplication::sendEvent(view, &event);
    }
}

// Where the middle of the grid edge from (x0, y) to (x0 + kCell, y) is drawn.
QPoint MiddleOfRowEdge(const CCentigrade& scene, float x0, float y) {
    QPoint at;
    if (!ProjectToClient(scene, CVector(x0 + kCell / 2, y, 0), at)) {
        qFatal("edge outside the view");
    }
    return at;
}

// The selected edges of the object, each once, by its two vertices.
std::set<MeshEdge> SelectedEdges(const CModel& model) {
    std::set<MeshEdge> edges;
    for (const CFace& f : model.faces) {
        const std::size_t n = f.indices.size();
        for (std::size_t k = 0; k < n; ++k) {
            if (f.edgeSelected[k]) {
                const int a = f.indices[k];
                const int b = f.indices[(k + 1) % n];
                edges.insert({std::min(a, b), std::max(a, b)});
            }
        }
    }
    return edges;
}

// The heights of the edges that run along x, and whether every edge does.
std::set<float> RowsOf(const CModel& model, const std::set<MeshEdge>& edges, bool& allAlongX) {
    std::set<float> rows;
    allAlongX = true;
    for (const MeshEdge& e : edges) {
        const CVector& a = model.vertices[static_cast<std::size_t>(e.a)];
        const CVector& b = model.vertices[static_cast<std::size_t>(e.b)];
        allAlongX = allAlongX && a.y == b.y;
        rows.insert(a.y);
    }
    return rows;
}

bool AnyFaceFlag(const CModel& model) {
    return std::any_of(model.faces.begin(), model.faces.end(),
                       [](const CFace& f) { return f.selected; });
}

}  // namespace

class SelectionToolsTest : public QObject {
    Q_OBJECT

private slots:
    void altClickSelectsLoopsAndCtrlAltClickRings() {
        ShownFrame shown(AddUprightGrid);
        QWidget* view = shown.frame.View();
        const CModel& grid = shown.Scene().models[0];
        bool alongX = false;

        // A loop runs the whole row; the click does not select the face under it.
        SendClick(view, MiddleOfRowEdge(shown.Scene(), 0, 0), Qt::AltModifier);
        std::set<MeshEdge> edges = SelectedEdges(grid);
        QCOMPARE(edges.size(), std::size_t{kCells});
        QCOMPARE(RowsOf(grid, edges, alongX), std::set<float>{0});
        QVERIFY(alongX);
        QVERIFY(!AnyFaceFlag(grid));

        // Shift adds the loop of another row.
        SendClick(view, MiddleOfRowEdge(shown.Scene(), -kCell, kCell),
                  Qt::AltModifier | Qt::ShiftModifier);
        edges = SelectedEdges(grid);
        QCOMPARE(edges.size(), std::size_t{2 * kCells});
        QCOMPARE(RowsOf(grid, edges, alongX), (std::set<float>{0, kCell}));

        // A ring crosses the column of quads: one edge on every row, in place
        // of the loops.
        SendClick(view, MiddleOfRowEdge(shown.Scene(), 0, 0),
                  Qt::ControlModifier | Qt::AltModifier);
        edges = SelectedEdges(grid);
        QCOMPARE(edges.size(), std::size_t{kCells + 1});
        QCOMPARE(RowsOf(grid, edges, alongX).size(), std::size_t{kCells + 1});
        QVERIFY(alongX);
        for (const MeshEdge& e : edges) {
            QCOMPARE(std::min(grid.vertices[static_cast<std::size_t>(e.a)].x,
                              grid.vertices[static_cast<std::size_t>(e.b)].x),
                     0.0f);
        }
        QVERIFY(!shown.doc.IsModified());

        // Off every edge nothing happens, and the selection stays.
        SendClick(view, QPoint(3, 3), Qt::AltModifier);
        QCOMPARE(SelectedEdges(grid).size(), std::size_t{kCells + 1});
    }

    // The keys of the 選択 menu reach the document from the focused view.
    void hideRevealAndSeeThroughKeys() {
        ShownFrame shown(AddUprightGrid);
        shown.frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&shown.frame));
        QWidget* view = shown.frame.View();
        view->setFocus();
        const auto& faces = shown.Scene().models[0].faces;
        const auto hidden = [&faces] {
            return std::count_if(faces.begin(), faces.end(),
                                 [](const CFace& f) { return f.hidden; });
        };
        QVERIFY(shown.doc.Run("select.elements", {{"object", 0}, {"faces", std::vector<int>{0, 1}}})
                    .Done());

        QTest::keyClick(view, Qt::Key_H);
        QCOMPARE(hidden(), 2);
        QTest::keyClick(view, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(hidden(), 0);
        QVERIFY(faces[0].selected && faces[1].selected);
        QTest::keyClick(view, Qt::Key_H, Qt::ShiftModifier);
        QCOMPARE(hidden(), kCells * kCells - 2);
        QTest::keyClick(view, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(hidden(), 0);

        QTest::keyClick(view, Qt::Key_Z, Qt::AltModifier);
        QVERIFY(shown.Scene().xray);
        QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(
            std::none_of(faces.begin(), faces.end(), [](const CFace& f) { return f.selected; }));
        QVERIFY(!shown.doc.IsModified());
    }

    void xrayButtonFollowsTheSceneAndRangeTakesHiddenFaces() {
        ShownFrame shown([](CQuorvelDoc& doc) {
            doc.Scene().materials.push_back(CMaterial(0));
            doc.Scene().models.push_back(MakeCube(200));
        });
        auto* bar = qobject_cast<CDisplayView*>(shown.frame.Panes().displayBar);
        QVERIFY(bar);
        QPushButton* xray = bar->XrayButton();
        QCOMPARE(xray->accessibleName(), QStringLiteral("透過選択"));
        QVERIFY(!xray->isChecked());

        // Reached by Tab from the axis toggle, pressed with the space bar.
        QVERIFY(xray->focusPolicy() & Qt::TabFocus);
        QCOMPARE(bar->Toggle(DisplayFlag::Axis)->nextInFocusChain(), xray);
        QTest::keyClick(xray, Qt::Key_Space);
        QVERIFY(shown.Scene().xray);
        QVERIFY(xray->isChecked());
        QVERIFY(!shown.doc.IsModified());

        // The command from elsewhere (menu, script): the button follows.
        QVERIFY(shown.doc.Run("view.xray", {{"on", false}}).Done());
        QVERIFY(!xray->isChecked());
        QTest::mouseClick(xray, Qt::LeftButton);
        QVERIFY(shown.Scene().xray);

        // A rectangle over the whole view takes the faces at the back too.
        CCentigrade& scene = shown.Scene();
        scene.toolMode = ToolRangeSelect;
        scene.vertexSelectable = false;
        QWidget* view = shown.frame.View();
        const QPoint from(2, 2);
        const QPoint to(view->width() - 3, view->height() - 3);
        QTest::mousePress(view, Qt::LeftButton, {}, from);
        QTest::mouseMove(view, to);
        QTest::mouseRelease(view, Qt::LeftButton, {}, to);
        for (const CFace& f : scene.models[0].faces) {
            QVERIFY(std::all_of(f.edgeSelected.begin(), f.edgeSelected.end(),
                                [](bool on) { return on; }));
        }
    }
};

QUORVEL_PRIVATE_HOME_TEST_MAIN(SelectionToolsTest)

#include "selection_tools_test.moc"
