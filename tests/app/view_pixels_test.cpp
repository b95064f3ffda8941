// What the 3D view draws, checked pixel by pixel where the view math projects
// the scene, with pictures saved for a person to look at.
#include <QOpenGLContext>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "app/gl_format.h"
#include "image/dib_stream.h"
#include "support/mesh_generators.h"
#include "view/manipulator_tables.h"
#include "view_test_support.h"

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kGridColour(91, 105, 91);
const QColor kSelected(128, 230, 179);
const QColor kUnselected(230, 128, 179);

// The colour of a face lit head-on by the view's light: emission, ambient
// under the light's 0.25 and the GL's global 0.2, and full diffuse.
QColor LitHeadOn(const CMaterial& m) {
    const auto channel = [&m](float c) {
        const float lit = c * m.emissive + c * m.ambient * (0.25f + 0.2f) + c * m.diffuse;
        return std::clamp(static_cast<int>(std::lround(lit * 255)), 0, 255);
    };
    return QColor(channel(m.red), channel(m.green), channel(m.blue));
}

// Front view (F3) of whatever lies around the origin.
void LookFromTheFront(CCentigrade& scene) {
    scene.camera.rotation = CVector(0, 0, 0);
    scene.showAxis = false;
}

// A 24-bit picture of `width` × 2 pixels, top row `top`, bottom row `bottom`
// on the left half and `topRight`/`bottomRight` on the right half.
std::shared_ptr<DibStream> MakePicture(int width, QColor topLeft, QColor topRight,
                                       QColor bottomLeft, QColor bottomRight) {
    auto image = std::make_shared<DibStream>();
    if (!image->Create(width, 2, 24)) {
        qFatal("cannot create a %d x 2 picture", width);
    }
    for (int y = 0; y < 2; ++y) {
        std::uint8_t* row = image->Row(y);
        for (int x = 0; x < width; ++x) {
            const bool left = x < width / 2 || width == 1;
            const QColor c =
                y == 0 ? (left ? topLeft : topRight) : (left ? bottomLeft : bottomRight);
            row[3 * x] = static_cast<std::uint8_t>(c.blue());
            row[3 * x + 1] = static_cast<std::uint8_t>(c.green());
            row[3 * x + 2] = static_cast<std::uint8_t>(c.red());
        }
    }
    return image;
}

// A white textured material over a front quad filling most of the view.
void ShowTexturedQuad(CCentigrade& scene, std::shared_ptr<DibStream> image) {
    LookFromTheFront(scene);
    CMaterial material(0);
    material.texture = "picture.bmp";
    material.red = material.green = material.blue = 1;
    material.UpdateColors();
    material.image = std::move(image);
    scene.materials.push_back(material);
    scene.models.push_back(MakeFrontQuad(200));
}

// Three front quads, the first of an untextured material with texture
// coordinates all (0.3, 0.8), the others of a textured one: the middle quad
// with coordinates all (0.3, 0.8) when `explicitUvs`, else none, and the last,
// of the textured material and drawn after it, with coordinates of its own.
void ShowCarriedCoordinates(CCentigrade& scene, bool explicitUvs, bool laterFaceWithUvs) {
    LookFromTheFront(scene);
    for (int id : {0, 1}) {
        CMaterial material(id);
        material.red = material.green = material.blue = 1;
        material.UpdateColors();
        if (id == 1) {
            material.texture = "picture.bmp";
            material.image = MakePicture(2, Qt::red, Qt::green, Qt::blue, Qt::yellow);
        }
        scene.materials.push_back(material);
    }
    CModel model;
    const auto addQuad = [&model](float x, int material, std::vector<CUV> uvs) {
        const auto first = static_cast<int>(model.vertices.size());
        for (const auto& [dx, dy] : {std::pair{-40, 40}, {40, 40}, {40, -40}, {-40, -40}}) {
            model.vertices.push_back(
                CVector(x + static_cast<float>(dx), static_cast<float>(dy), 0));
        }
        CFace face;
        face.indices = {first, first + 1, first + 2, first + 3};
        face.material = material;
        face.uvs = std::move(uvs);
        face.edgeSelected = {false, false, false, false};
        model.faces.push_back(face);
    };
    const std::vector<CUV> carried(4, CUV{0.3f, 0.8f});
    addQuad(-90, 0, carried);
    addQuad(0, 1, explicitUvs ? carried : std::vector<CUV>{});
    if (laterFaceWithUvs) {
        addQuad(90, 1, std::vector<CUV>(4, CUV{0.8f, 0.3f}));
    }
    model.ComputeNormals(1);
    scene.models.push_back(model);
}

}  // namespace

class ViewPixelsTest : public QObject {
    Q_OBJECT

private slots:
    void newViewShowsBackgroundAxesAndGrid() {
        ShownView shown;
        const QImage image = shown.view->grabFramebuffer();
        SaveArtifact(image, "new-view");
        QVERIFY(SameColour(image.pixelColor(5, 5), kBackground, 0));

        struct Expected {
            CVector point;
            QColor colour;
        };
        const Expected expected[] = {
            {CVector(100, 0, 0), kRed},          {CVector(0, 100, 0), kGreen},
            {CVector(0, 0, 100), kBlue},         {CVector(-75, 0, 0), kGridColour},
            {CVector(50, 0, -125), kGridColour}, {CVector(125, 0, 100), kGridColour},
        };
        for (const Expected& e : expected) {
            QPoint at;
            QVERIFY(ProjectToClient(shown.scene, e.point, at));
            QVERIFY2(
                HasColourNear(image, at, e.colour),
                qPrintable(
                    QString("no %1 near (%2, %3)").arg(e.colour.name()).arg(at.x()).arg(at.y())));
        }
    }

    void axesOffLeavesOnlyTheBackground() {
        ShownView shown;
        shown.scene.showAxis = false;
        const QImage image = shown.view->grabFramebuffer();
        QVERIFY(BoundsOfPixelsOtherThan(image, kBackground).isEmpty());
    }

    void faceLitHeadOnHasItsMaterialColour() {
        ShownView shown;
        LookFromTheFront(shown.scene);
        CMaterial material(0);
        material.red = 0.5f;
        material.green = 0.25f;
        material.blue = 0.75f;
        material.UpdateColors();
        shown.scene.materials.push_back(material);
        shown.scene.models.push_back(MakeFrontQuad(100));
        const QImage image = shown.view->grabFramebuffer();
        SaveArtifact(image, "lit-face");
        const QColor centre = image.pixelColor(kViewWidth / 2, kViewHeight / 2);
        QVERIFY2(SameColour(centre, LitHeadOn(material)),
                 qPrintable(centre.name() + " instead of " + LitHeadOn(material).name()));
    }

    void frameStaysOpaqueUnderHalfTransparentFaces() {
        // The window system composes the frame by its alpha.
        ShownView shown;
        LookFromTheFront(shown.scene);
        CMaterial glass(0);
        glass.alpha = 0.5f;
        glass.UpdateColors();
        shown.scene.materials.push_back(glass);
        shown.scene.models.push_back(MakeFrontQuad(100));
        const QImage image = shown.view->grabFramebuffer();
        QCOMPARE(image.pixelColor(5, 5).alpha(), 255);
        const QColor centre = image.pixelColor(kViewWidth / 2, kViewHeight / 2);
        QCOMPARE(centre.alpha(), 255);
        QVERIFY(!SameColour(centre, kBackground) && !SameColour(centre, LitHeadOn(glass)));
    }

    void faceOfAnUnknownMaterialIsNotDrawn() {
        ShownView shown;
        LookFromTheFront(shown.scene);
        shown.scene.materials.push_back(CMaterial(0));
        CModel quad = MakeFrontQuad(100);
        quad.faces[0].material = 7;
        shown.scene.models.push_back(quad);
        const QImage image = shown.view->grabFramebuffer();
        QVERIFY(BoundsOfPixelsOtherThan(image, kBackground).isEmpty());
    }

    void faceWithoutCornerNormalsIsLitWithItsFaceNormal() {
        ShownView shown;
        LookFromTheFront(shown.scene);
        shown.scene.materials.push_back(CMaterial(0));
        // The quad's face normal as computed, in an object whose corner
        // normals were never computed.
        CModel quad;
        quad.vertices = MakeFrontQuad(100).vertices;
        quad.faces = MakeFrontQuad(100).faces;
        shown.scene.models.push_back(quad);
        const QImage image = shown.view->grabFramebuffer();
        QVERIFY(SameColour(image.pixelColor(kViewWidth / 2, kViewHeight / 2),
                           LitHeadOn(shown.scene.materials[0])));
    }

    void texturedQuadShowsItsPictureWithPaddedRows() {
        // Two pixels of three bytes make rows of six bytes padded to eight.
        ShownView shown;
        ShowTexturedQuad(shown.scene, MakePicture(2, kRed, kGreen, kBlue, Qt::white));
        const QImage image = shown.view->grabFramebuffer();
        SaveArtifact(image, "textured-quad");
        QPoint topLeft;
        QPoint bottomRight;
        QVERIFY(ProjectToClient(shown.scene, CVector(-50, 50, 0), topLeft));
        QVERIFY(ProjectToClient(shown.scene, CVector(50, -50, 0), bottomRight));
        QVERIFY(SameColour(image.pixelColor(topLeft), kRed));
        QVERIFY(SameColour(image.pixelColor(bottomRight), Qt::white));
        QVERIFY(SameColour(image.pixelColor(topLeft.x(), bottomRight.y()), kBlue));
        QVERIFY(SameColour(image.pixelColor(bottomRight.x(), topLeft.y()), kGreen));
        QCOMPARE(shown.view->Renderer().Textures().Count(), std::size_t{1});
    }

    // A face without texture coordinates takes the coordinate of the corner
    // drawn before it, also from a face of another material, and whether or
    // not later faces of its own material have coordinates.
    void faceWithoutCoordinatesTakesTheLastOneDrawn_data() {
        QTest::addColumn<bool>("laterFaceWithUvs");
        QTest::newRow("only face of its material") << false;
        QTest::newRow("before a face with coordinates") << true;
    }

    void faceWithoutCoordinatesTakesTheLastOneDrawn() {
        QFETCH(bool, laterFaceWithUvs);
        ShownView carried;
        ShowCarriedCoordinates(carried.scene, false, laterFaceWithUvs);
        ShownView explicitly;
        ShowCarriedCoordinates(explicitly.scene, true, laterFaceWithUvs);
        const QImage image = carried.view->grabFramebuffer();
        SaveArtifact(image, "carried-texture-coordinates");
        QCOMPARE(image, explicitly.view->grabFramebuffer());
    }

    void pictureTooWideForTheGlIsScaledDown() {
        ShownView shown;
        ShowTexturedQuad(shown.scene, MakePicture(1 << 16, kGreen, kGreen, kGreen, kGreen));
        const QImage image = shown.view->grabFramebuffer();
        QVERIFY(SameColour(image.pixelColor(kViewWidth / 2, kViewHeight / 2), kGreen));
    }

    void replacedPictureFreesItsTextureOnlyWhenNoCopyHoldsIt() {
        ShownView shown;
        ShowTexturedQuad(shown.scene, MakePicture(2, kRed, kRed, kRed, kRed));
        shown.view->grabFramebuffer();
        CMaterial copy = shown.scene.materials[0];
        shown.scene.materials[0].image = MakePicture(2, kBlue, kBlue, kBlue, kBlue);
        const QImage image = shown.view->grabFramebuffer();
        QVERIFY(SameColour(image.pixelColor(kViewWidth / 2, kViewHeight / 2), kBlue));
        QCOMPARE(shown.view->Renderer().Textures().Count(), std::size_t{2});

        copy.ReleaseTexture();
        shown.view->grabFramebuffer();
        QCOMPARE(shown.view->Renderer().Textures().Count(), std::size_t{1});
    }

    void viewMovedToAnotherWindowBuildsItsGlObjectsAgain() {
        // Qt gives the view a new context when it changes windows; the
        // textures, lists and arrays of the old one must be made anew.
        ShownView shown;
        ShowTexturedQuad(shown.scene, MakePicture(2, kRed, kRed, kRed, kRed));
        shown.scene.showAxis = true;
        shown.scene.showEdges = true;
        const QImage before = shown.view->grabFramebuffer();
        QSignalSpy oldContextGoes(shown.view->context(), &QOpenGLContext::aboutToBeDestroyed);

        QWidget window;
        window.resize(kViewWidth, kViewHeight);
        shown.view->setParent(&window);
        shown.view->move(0, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage after = shown.view->grabFramebuffer();
        QCOMPARE(oldContextGoes.count(), 1);
        SaveArtifact(after, "moved-view");
        QCOMPARE(after, before);
        QCOMPARE(shown.view->Renderer().Textures().Count(), std::size_t{1});
        shown.view->setParent(nullptr);
    }

    void hiddenObjectLeavesNoPixels() {
        ShownView shown;
        LookFromTheFront(shown.scene);
        shown.scene.showEdges = true;
        shown.scene.showVertices = true;
        shown.scene.materials.push_back(CMaterial(0));
        shown.scene.models.push_back(MakeFrontQuad(100));
        shown.scene.models[0].state = 1;
        QVERIFY(!BoundsOfPixelsOtherThan(shown.view->grabFramebuffer(), kBackground).isEmpty());
        for (int hidden : {2, 3}) {
            shown.scene.models[0].state = hidden;
            QVERIFY(BoundsOfPixelsOtherThan(shown.view->grabFramebuffer(), kBackground).isEmpty());
        }
    }

    // A hidden face takes its edges and the vertices only it uses with it;
    // the vertices of the shown face beside it stay.
    void hiddenFacesLeaveNoPixels() {
        ShownView shown;
        LookFromTheFront(shown.scene);
        shown.scene.showEdges = true;
        shown.scene.showVertices = true;
        shown.scene.materials.push_back(CMaterial(0));
        CModel quads = MakeFrontQuad(100);
        CModel right = MakeFrontQuad(40);
        for (CVector& v : right.vertices) {
            v.x += 100;
        }
        quads.vertices.insert(quads.vertices.end(), right.vertices.begin(), right.vertices.end());
        quads.faces.push_back(right.faces[0]);
        for (int& corner : quads.faces[1].indices) {
            corner += 4;
        }
        shown.scene.models.push_back(quads);
        const QImage before = shown.view->grabFramebuffer();
        QPoint leftCentre;
        QPoint rightCentre;
        QVERIFY(ProjectToClient(shown.scene, CVector(0, 0, 0), leftCentre));
        QVERIFY(ProjectToClient(shown.scene, CVector(100, 0, 0), rightCentre));
        QVERIFY(!SameColour(before.pixelColor(leftCentre), kBackground));

        shown.scene.models[0].faces[0].hidden = true;
        shown.scene.models[0].TouchTopology();
        const QImage image = shown.view->grabFramebuffer();
        SaveArtifact(image, "hidden-face");
        const QRect drawn = BoundsOfPixelsOtherThan(image, kBackground);
        QPoint betweenTheFaces;
        QVERIFY(ProjectToClient(shown.scene, CVector(65, 0, 0), betweenTheFaces));
        QVERIFY2(drawn.left() > betweenTheFaces.x(),
                 qPrintable(QStringLiteral("pixels from x = %1").arg(drawn.left())));
        QCOMPARE(image.pixelColor(rightCentre), before.pixelColor(rightCentre));
    }

    // See-through faces let what lies behind them show, and write no depth
    // that would hide the edges behind them.
    void seeThroughFacesAreHalfTransparent() {
        ShownView shown;
        LookFromTheFront(shown.scene);
        shown.scene.materials.push_back(CMaterial(0));
        shown.scene.models.push_back(MakeFrontQuad(100));
        CModel behind = MakeFrontQuad(60);
        for (CVector& v : behind.vertices) {
            v.z -= 30;
        }
        shown.scene.models.push_back(behind);
        shown.scene.models[1].state = 2;
        const QPoint centre(kViewWidth / 2, kViewHeight / 2);
        const QColor opaque = shown.view->grabFramebuffer().pixelColor(centre);

        shown.scene.xray = true;
        const QImage image = shown.view->grabFramebuffer();
        SaveArtifact(image, "see-through");
        const QColor seeThrough = image.pixelColor(centre);
        const auto halfway = [](int a, int b, int c) { return std::abs(2 * c - a - b) <= 4; };
        QVERIFY2(halfway(opaque.red(), kBackground.red(), seeThrough.red()) &&
                     halfway(opaque.green(), kBackground.green(), seeThrough.green()) &&
                     halfway(opaque.blue(), kBackground.blue(), seeThrough.blue()),
                 qPrintable(seeThrough.name() + " between " + opaque.name() + " and " +
                            kBackground.name()));

        shown.scene.showEdges = true;
        shown.scene.models[1].state = 0;
        QPoint behindEdge;
        QVERIFY(ProjectToClient(shown.scene, CVector(0, 30, -30), behindEdge));
        QVERIFY(HasColourNear(shown.view->grabFramebuffer(), behindEdge, kUnselected));
        shown.scene.xray = false;
        QVERIFY(!HasColourNear(shown.view->grabFramebuffer(), behindEdge, kUnselected));
    }

    void verticesAndEdgesShowTheirSelection() {
        ShownView shown;
        LookFromTheFront(shown.scene);
        shown.scene.showFaces = false;
        shown.scene.showEdges = true;
        shown.scene.showVertices = true;
        shown.scene.materials.push_back(CMaterial(0));
        CModel quad = MakeFrontQuad(100);
        quad.vertices[0].selected = true;
        quad.faces[0].SetEdgeSelected(2, true);  // bottom edge
        quad.vertices.push_back(CVector(0, 0, 0));
        quad.vertices.back().used = false;
        shown.scene.models.push_back(quad);
        const QImage image = shown.view->grabFramebuffer();
        SaveArtifact(image, "selection");

        QPoint at;
        QVERIFY(ProjectToClient(shown.scene, CVector(-50, 50, 0), at));
        QVERIFY(HasColourNear(image, at, kSelected));
        QVERIFY(ProjectToClient(shown.scene, CVector(50, 50, 0), at));
        QVERIFY(HasColourNear(image, at, kUnselected));
        QVERIFY(ProjectToClient(shown.scene, CVector(0, -50, 0), at));
        QVERIFY(HasColourNear(image, at, kSelected));
        QVERIFY(ProjectToClient(shown.scene, CVector(0, 50, 0), at));
        QVERIFY(HasColourNear(image, at, kUnselected));
        // The unused vertex at the centre is not drawn.
        QVERIFY(SameColour(image.pixelColor(kViewWidth / 2, kViewHeight / 2), kBackground, 0));
    }

    void manipulatorKeepsItsSizeOnScreenAtEveryZoom() {
        ShownView shown;
        shown.scene.showAxis = false;
        shown.scene.showGizmo = true;
        shown.scene.toolMode = ToolMove;
        QRect bounds[2];
        const float zooms[2] = {50, 200};
        for (int i = 0; i < 2; ++i) {
            shown.scene.zoom = zooms[i];
            const QImage image = shown.view->grabFramebuffer();
            SaveArtifact(image, QString("move-manipulator-zoom-%1").arg(zooms[i]));
            bounds[i] = BoundsOfPixelsOtherThan(image, kBackground);
        }
        QVERIFY(!bounds[0].isEmpty());
        QVERIFY(std::abs(bounds[0].width() - bounds[1].width()) <= 1);
        QVERIFY(std::abs(bounds[0].height() - bounds[1].height()) <= 1);

        QPoint tip;
        QVERIFY(ProjectManipulatorPoint(shown.scene, handleArrowPoints[0], tip));
        QVERIFY(HasColourNear(shown.view->grabFramebuffer(), tip, kRed, 2, 60));
    }

    void manipulatorOnlyForTheTransformTools() {
        ShownView shown;
        shown.scene.showAxis = false;
        shown.scene.showGizmo = true;
        for (int tool : {ToolSelect, ToolDeleteFace, ToolPaintMaterial}) {
            shown.scene.toolMode = tool;
            QVERIFY(BoundsOfPixelsOtherThan(shown.view->grabFramebuffer(), kBackground).isEmpty());
        }
        for (int tool : {ToolRotate, ToolScale}) {
            shown.scene.toolMode = tool;
            const QImage image = shown.view->grabFramebuffer();
            SaveArtifact(image, QString("manipulator-tool-%1").arg(tool));
            QVERIFY(!BoundsOfPixelsOtherThan(image, kBackground).isEmpty());
        }
    }

    void rubberBandIsAnXorOutlineWhicheverCornerStarted() {
        ShownView shown;
        shown.scene.showAxis = false;
        shown.scene.toolMode = ToolRangeSelect;
        const QColor xored(30, 65 ^ 255, 90 ^ 255);
        const int corners[2][4] = {{100, 80, 300, 200}, {300, 200, 100, 80}};
        for (const auto& rect : corners) {
            std::copy(std::begin(rect), std::end(rect), shown.scene.rubberBand);
            const QImage image = shown.view->grabFramebuffer();
            const QRect bounds = BoundsOfPixelsOtherThan(image, kBackground);
            QVERIFY(std::abs(bounds.left() - 100) <= 1 && std::abs(bounds.right() - 300) <= 1);
            QVERIFY(std::abs(bounds.top() - 80) <= 1 && std::abs(bounds.bottom() - 200) <= 1);
            QVERIFY(HasColourNear(image, QPoint(200, 80), xored, 1, 0));
            QVERIFY(SameColour(image.pixelColor(200, 140), kBackground, 0));
        }
    }
};

int main(int argc, char** argv) {
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    ViewPixelsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "view_pixels_test.moc"
