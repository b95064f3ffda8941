// The view sends geometry through cached buffer objects; the picture must be
// the one that drawing every face, edge and vertex on its own gives. The
// reference here draws the passes that way, in the same context state, and the
// two pictures must agree pixel for pixel.
#include <QOpenGLWidget>
#include <QtTest>

#include "app/gl_format.h"
#include "render/gl_api.h"
#include "render/material_apply.h"
#include "support/mesh_generators.h"
#include "view/view_math.h"
#include "view_test_support.h"

namespace {

void Vertex(const CVector& p) {
    glVertex3f(p.x, p.y, p.z);
}

void ImmediateFaces(const CModel& model, int smooth, const std::vector<CMaterial>& materials) {
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glShadeModel(smooth != 0 ? GL_SMOOTH : GL_FLAT);
    glEnable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    for (const CMaterial& m : materials) {
        ApplyMaterial(m, 0);
        for (const CFace& f : model.faces) {
            const std::size_t n = f.indices.size();
            if (f.material != m.id || (n != 3 && n != 4)) {
                continue;
            }
            glBegin(n == 3 ? GL_TRIANGLES : GL_QUADS);
            for (std::size_t i = 0; i < n; ++i) {
                if (i < f.uvs.size()) {
                    glTexCoord2f(f.uvs[i].u, -f.uvs[i].v);
                }
                const CVector& normal = f.corners[i].normal;
                glNormal3f(-normal.x, -normal.y, -normal.z);
                Vertex(model.vertices[static_cast<std::size_t>(f.indices[i])]);
            }
            glEnd();
        }
    }
    glPopAttrib();
}

void ImmediateEdges(const CModel& model) {
    for (bool selected : {true, false}) {
        glColor3f(selected ? 0.5f : 0.9f, selected ? 0.9f : 0.5f, 0.7f);
        for (const CFace& f : model.faces) {
            const std::size_t n = f.indices.size();
            const std::size_t edges = n == 2 ? 1 : (n == 3 || n == 4 ? n : 0);
            for (std::size_t e = 0; e < edges; ++e) {
                if (f.edgeSelected[e] == selected) {
                    glBegin(GL_LINES);
                    Vertex(model.vertices[static_cast<std::size_t>(f.indices[e])]);
                    Vertex(model.vertices[static_cast<std::size_t>(f.indices[(e + 1) % n])]);
                    glEnd();
                }
            }
        }
    }
}

void ImmediateVertices(const CModel& model) {
    glBegin(GL_POINTS);
    for (const CVector& v : model.vertices) {
        if (v.used) {
            glColor3f(v.selected ? 0.5f : 0.9f, v.selected ? 0.9f : 0.5f, 0.7f);
            Vertex(v);
        }
    }
    glEnd();
}

// Draws the scene's objects face by face, with the renderer's fixed state.
class ImmediateView : public QOpenGLWidget {
public:
    explicit ImmediateView(const CCentigrade& scene) : scene_(scene) {}

protected:
    void initializeGL() override { renderer_.CreateContext(scene_); }
    void paintGL() override {
        glClearColor(30 / 255.0f, 65 / 255.0f, 90 / 255.0f, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(SceneProjection(scene_).ToFloat().data());
        glViewport(0, 0, width(), height());
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        SetupLight();
        glLoadMatrixf(SceneModelView(scene_).ToFloat().data());
        for (const CModel& m : scene_.models) {
            ImmediateFaces(m, scene_.smooth, scene_.materials);
        }
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        for (const CModel& m : scene_.models) {
            ImmediateEdges(m);
        }
        for (const CModel& m : scene_.models) {
            ImmediateVertices(m);
        }
    }

private:
    const CCentigrade& scene_;
    SceneRenderer renderer_;
};

// Two objects, three materials (one number listed twice, one face naming no
// material), triangles among the quads, a bent quad, a line face, an unused
// vertex, half-transparent faces, and some selected edges and vertices.
void BuildMixedScene(CCentigrade& scene) {
    scene.showEdges = true;
    scene.showVertices = true;
    scene.showAxis = false;
    for (int i = 0; i < 3; ++i) {
        CMaterial m(i);
        m.red = 0.3f * static_cast<float>(i + 1);
        m.green = 0.9f - 0.25f * static_cast<float>(i);
        m.specular = 0.5f;
        m.alpha = i == 2 ? 0.5f : 1.0f;
        m.UpdateColors();
        scene.materials.push_back(m);
    }
    scene.materials.push_back(scene.materials[1]);

    CModel cylinder = MakeCylinder(10, 3, 120, 200);
    cylinder.vertices[3].y += 40;  // bends the quads around it
    for (std::size_t f = 0; f < cylinder.faces.size(); ++f) {
        CFace& face = cylinder.faces[f];
        face.material = static_cast<int>(f % 4);  // 3 names no material
        face.edgeSelected = {f % 3 == 0, false, f % 5 == 0, false};
        if (f % 7 == 0) {
            face.indices = {face.indices[0], face.indices[1], face.indices[2]};
            face.edgeSelected = {true, false, false};
        }
    }
    CFace line;
    line.indices = {0, 15};
    line.edgeSelected = {true};
    cylinder.faces.push_back(line);
    cylinder.vertices.push_back(CVector(0, 0, 0));
    cylinder.ComputeNormals(1);
    cylinder.vertices[5].selected = true;
    cylinder.vertices[12].selected = true;
    scene.models.push_back(cylinder);
    scene.UpdateUsedFlags();

    CModel cube = MakeCube(150);
    for (CVector& v : cube.vertices) {
        v.x += 100;
    }
    for (CFace& face : cube.faces) {
        face.material = 2;
        face.edgeSelected = {false, true, false, false};
    }
    cube.ComputeNormals(1);
    scene.models.push_back(cube);
}

}  // namespace

class ArraysMatchImmediateTest : public QObject {
    Q_OBJECT

private slots:
    void cachedArraysDrawTheSamePixels_data() {
        QTest::addColumn<int>("smooth");
        QTest::newRow("smooth") << 1;
        QTest::newRow("flat") << 0;
    }

    void cachedArraysDrawTheSamePixels() {
        QFETCH(int, smooth);
        ShownView shown;
        BuildMixedScene(shown.scene);
        shown.scene.smooth = smooth;
        const QImage cached = shown.view->grabFramebuffer();

        ImmediateView reference(shown.scene);
        reference.resize(kViewWidth, kViewHeight);
        reference.show();
        QVERIFY(QTest::qWaitForWindowExposed(&reference));
        const QImage immediate = reference.grabFramebuffer();

        SaveArtifact(cached, QString("mixed-scene-smooth-%1").arg(smooth));
        QCOMPARE(cached.size(), immediate.size());
        int differing = 0;
        for (int y = 0; y < cached.height(); ++y) {
            for (int x = 0; x < cached.width(); ++x) {
                differing += cached.pixel(x, y) != immediate.pixel(x, y) ? 1 : 0;
            }
        }
        if (differing != 0) {
            SaveArtifact(immediate, QString("mixed-scene-immediate-smooth-%1").arg(smooth));
        }
        QCOMPARE(differing, 0);
        QVERIFY(BoundsOfPixelsOtherThan(cached, kBackground).width() > kViewWidth / 4);
    }
};

int main(int argc, char** argv) {
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    ArraysMatchImmediateTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "arrays_match_immediate_test.moc"
