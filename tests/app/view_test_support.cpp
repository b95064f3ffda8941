#include "view_test_support.h"

#include <QDir>
#include <QtTest>
#include <algorithm>
#include <cstdlib>

#include "view/view_math.h"

ShownView::ShownView() : view(std::make_unique<CQuorvelView>(doc)) {
    view->resize(kViewWidth, kViewHeight);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get())) {
        qFatal("the 3D view was never exposed");
    }
}

namespace {

bool ToClient(const Matrix4& modelView, const CCentigrade& scene, const CVector& point,
              QPoint& client) {
    WindowCoord window;
    if (!ProjectToWindow(SceneProjection(scene) * modelView, SceneViewport(scene), point, window)) {
        return false;
    }
    client = QPoint(static_cast<int>(window.x), static_cast<int>(scene.viewHeight - window.y));
    return true;
}

}  // namespace

bool ProjectToClient(const CCentigrade& scene, const CVector& point, QPoint& client) {
    return ToClient(SceneModelView(scene), scene, point, client);
}

bool ProjectManipulatorPoint(const CCentigrade& scene, const CVector& point, QPoint& client) {
    return ToClient(ManipulatorModelView(scene), scene, point, client);
}

bool SameColour(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

bool HasColourNear(const QImage& image, QPoint at, QColor colour, int radius, int tolerance) {
    for (int y = at.y() - radius; y <= at.y() + radius; ++y) {
        for (int x = at.x() - radius; x <= at.x() + radius; ++x) {
            if (image.valid(x, y) && SameColour(image.pixelColor(x, y), colour, tolerance)) {
                return true;
            }
        }
    }
    return false;
}

QRect BoundsOfPixelsOtherThan(const QImage& image, QColor background) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!SameColour(image.pixelColor(x, y), background, 0)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}

void SaveArtifact(const QImage& image, const QString& name) {
    const QString folder = QStringLiteral(QUORVEL_ARTIFACT_DIR);
    QDir().mkpath(folder);
    image.save(folder + "/" + name + ".png");
}

CModel MakeFrontQuad(float size) {
    const float h = size / 2;
    CModel model;
    model.vertices.push_back(CVector(-h, h, 0));
    model.vertices.push_back(CVector(h, h, 0));
    model.vertices.push_back(CVector(h, -h, 0));
    model.vertices.push_back(CVector(-h, -h, 0));
    CFace face;
    face.indices = {0, 1, 2, 3};
    face.uvs = {CUV{0, 0}, CUV{1, 0}, CUV{1, 1}, CUV{0, 1}};
    face.edgeSelected = {false, false, false, false};
    model.faces.push_back(face);
    model.ComputeNormals(1);
    return model;
}
