// The view sends geometry through cached buffer objects; the picture must be
// the one that drawing every face, edge and vertex on its own gives. The
// reference here draws the passes that way, in the same context state, and the
// two pictures must agree pixel for pixel.
#include <QOpenGLWidget>
#include <QtTest>
#include <random>

#include "app/gl_format.h"
#include "edit/drag.h"
#include "edit/face_tools.h"
#include "edit/pick.h"
#include "edit/selection.h"
#include "edit/transforms.h"
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
        for (std::size_t face = 0; face < model.faces.size(); ++face) {
            const CFace& f = model.faces[face];
            const std::size_t n = f.indices.size();
            if (f.material != m.id || (n != 3 && n != 4)) {
                continue;
            }
            glBegin(n == 3 ? GL_TRIANGLES : GL_QUADS);
            for (std::size_t i = 0; i < n; ++i) {
                if (i < f.uvs.size()) {
                    glTexCoord2f(f.uvs[i].u, -f.uvs[i].v);
                }
                const CVector normal = model.CornerNormal(face, i);
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

// A grid object of random size with random materials (one number no material
// has), some faces cut to triangles and some with texture coordinates, so
// faces of a material lie apart in the arrays.
CModel RandomGrid(std::mt19937& random) {
    std::uniform_int_distribution<int> cells(2, 9);
    CModel grid = MakeQuadGrid(cells(random), 40.0f);
    for (CVector& v : grid.vertices) {
        v.y += static_cast<float>(random() % 30);
    }
    for (CFace& face : grid.faces) {
        face.material = static_cast<int>(random() % 4);
        if (random() % 5 == 0) {
            face.indices = {face.indices[0], face.indices[1], face.indices[2]};
            face.edgeSelected = {false, false, false};
        }
        if (random() % 3 == 0) {
            face.uvs.resize(face.indices.size());
            for (CUV& uv : face.uvs) {
                uv = {static_cast<float>(random() % 8) / 8, static_cast<float>(random() % 8) / 8};
            }
        }
    }
    grid.ComputeNormals(1);
    return grid;
}

// One random edit of the kinds the view makes; each names what it changed.
void RandomEdit(CCentigrade& scene, DragSession& drag, std::mt19937& random) {
    const auto pick = [&random](std::size_t count) {
        return static_cast<int>(random() % std::max<std::size_t>(count, 1));
    };
    const int object = pick(scene.models.size());
    CModel& model = scene.models[static_cast<std::size_t>(object)];
    switch (random() % 10) {
        case 0: {  // a click on a face or a vertex
            PickResult result;
            result.best =
                random() % 2 == 0
                    ? PickHit{PickKind::Face, object, pick(model.faces.size()), 0.5f}
                    : PickHit{PickKind::Vertex, object, pick(model.vertices.size()), 0.5f};
            result.records = {result.best};
            scene.toolMode = ToolSelect;
            scene.keyFlag = random() % 2 == 0;
            ProcessHits(scene, result);
            break;
        }
        case 1: {  // a run of vertices moved by the typed transforms
            ClearSelection(scene);
            const int first = pick(model.vertices.size());
            const int last =
                std::min<int>(first + pick(8), static_cast<int>(model.vertices.size()) - 1);
            for (int v = first; v <= last; ++v) {
                model.vertices[static_cast<std::size_t>(v)].selected = true;
            }
            MoveSelection(scene, static_cast<float>(pick(20)) - 10, 5, 0);
            break;
        }
        case 2:  // drag steps, sometimes several before a frame
            drag.Begin(scene);
            drag.Apply(scene, {DragOperation::RotateYThenX, {3, static_cast<float>(pick(9)), 0}});
            break;
        case 3:
            drag.Finish(scene);
            break;
        case 4:
            scene.currentMaterial = pick(scene.materials.size());
            PaintFace(scene, object, pick(model.faces.size()));
            break;
        case 5:
            if (model.faces.size() > 1) {
                DeleteFace(scene, object, pick(model.faces.size()));
            }
            break;
        case 6: {  // an edge toggled
            CFace& face = model.faces[static_cast<std::size_t>(pick(model.faces.size()))];
            const std::size_t e = static_cast<std::size_t>(pick(face.edgeSelected.size()));
            if (e < face.edgeSelected.size()) {
                face.edgeSelected[e] = !face.edgeSelected[e];
            }
            model.TouchSelection();
            break;
        }
        case 7:
            scene.ComputeAllNormals();
            break;
        case 8:  // a click through the pick, which names just the flags it changed
            scene.toolMode = ToolSelect;
            scene.selectMode = SelectNormal;
            scene.keyFlag = random() % 4 == 0;
            scene.vertexSelectable = random() % 2 == 0;
            Pick(scene, static_cast<int>(random() % kViewWidth),
                 static_cast<int>(random() % kViewHeight));
            break;
        default:
            ClearSelection(scene);
            break;
    }
}

int DifferingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            differing += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return differing;
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
        const int differing = DifferingPixels(cached, immediate);
        if (differing != 0) {
            SaveArtifact(immediate, QString("mixed-scene-immediate-smooth-%1").arg(smooth));
        }
        QCOMPARE(differing, 0);
        QVERIFY(BoundsOfPixelsOtherThan(cached, kBackground).width() > kViewWidth / 4);
    }

    // The arrays brought up to date edit by edit, some edits without a frame
    // in between, draw what arrays built afresh from the same scene draw.
    void partialUpdatesDrawWhatAFullBuildDraws_data() {
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {1u, 2u, 3u, 4u}) {
            QTest::newRow(QByteArray::number(seed).constData()) << seed;
        }
    }

    void partialUpdatesDrawWhatAFullBuildDraws() {
        QFETCH(unsigned, seed);
        std::mt19937 random(seed);
        ShownView edited;
        BuildMixedScene(edited.scene);
        edited.scene.models.push_back(RandomGrid(random));
        edited.scene.UpdateUsedFlags();
        ShownView fresh;
        DragSession drag;
        for (int step = 0; step < 40; ++step) {
            RandomEdit(edited.scene, drag, random);
            if (random() % 3 == 0) {
                continue;
            }
            const QImage partial = edited.view->grabFramebuffer();
            fresh.scene = edited.scene;
            for (CModel& model : fresh.scene.models) {
                model.Touch();
            }
            const QImage full = fresh.view->grabFramebuffer();
            const int differing = DifferingPixels(partial, full);
            if (differing != 0) {
                SaveArtifact(partial, QString("partial-seed-%1-step-%2").arg(seed).arg(step));
                SaveArtifact(full, QString("full-seed-%1-step-%2").arg(seed).arg(step));
            }
            QCOMPARE(differing, 0);
        }
    }
};

int main(int argc, char** argv) {
    SetDefaultGlFormat();
    QApplication app(argc, argv);
    ArraysMatchImmediateTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "arrays_match_immediate_test.moc"
