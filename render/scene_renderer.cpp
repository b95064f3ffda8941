#include "render/scene_renderer.h"

#include <algorithm>
#include <cmath>

#include "render/gl_api.h"
#include "scene/centigrade.h"
#include "view/view_math.h"

namespace {

constexpr float kRubberBandColour[3] = {0, 1, 1};
// How much of a face's colour covers what lies behind it in see-through mode.
constexpr float kSeeThroughOpacity = 0.5f;

void LoadMatrix(const Matrix4& matrix) {
    glLoadMatrixf(matrix.ToFloat().data());
}

}  // namespace

void SetupLight() {
    constexpr float kPosition[4] = {0, 0, 1, 0};
    constexpr float kAmbient[4] = {0.25f, 0.25f, 0.25f, 1};
    constexpr float kDiffuse[4] = {1, 1, 1, 1};
    constexpr float kSpecular[4] = {1, 1, 1, 1};
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0);
    glLightfv(GL_LIGHT0, GL_POSITION, kPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, kAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kSpecular);
}

void SceneRenderer::CreateContext(const CCentigrade& scene) {
    glEnable(GL_DEPTH_TEST);
    // Faces run clockwise on screen when seen from the front.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    // The zoom scales the model-view, and with it the normals.
    glEnable(GL_NORMALIZE);
    glEnable(GL_LIGHT0);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Filled faces are pushed back so that edges and points on them stay visible.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(1, 1);
    glPointSize(4);
    glLineWidth(1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    ClearBackground(scene);
    lists_.Build();
}

void SceneRenderer::ReleaseContext() {
    textures_.Release();
    arrays_.clear();
    lists_.Release();
}

// The background is read when the context is made; it is constant for the
// life of the view.
void SceneRenderer::ClearBackground(const CCentigrade& scene) {
    const std::uint32_t c = scene.background;
    clearColour_[0] = static_cast<float>(c & 0xFF) / 255.0f;
    clearColour_[1] = static_cast<float>((c >> 8) & 0xFF) / 255.0f;
    clearColour_[2] = static_cast<float>((c >> 16) & 0xFF) / 255.0f;
    // The window system composes the frame with its alpha: it must stay opaque,
    // also where half-transparent faces blend over the background.
    clearColour_[3] = 1;
    ClearFrame();
}

void SceneRenderer::ClearFrame() const {
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(clearColour_[0], clearColour_[1], clearColour_[2], clearColour_[3]);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);
}

void SceneRenderer::Draw(const CCentigrade& scene, int pixelWidth, int pixelHeight) {
    ClearFrame();
    // A window without area (minimised) has no aspect ratio to project with.
    if (scene.viewWidth <= 0 || scene.viewHeight <= 0 || pixelWidth <= 0 || pixelHeight <= 0) {
        return;
    }
    textures_.DropUnused();

    glMatrixMode(GL_PROJECTION);
    LoadMatrix(SceneProjection(scene));
    glViewport(0, 0, pixelWidth, pixelHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    SetupLight();
    LoadMatrix(SceneModelView(scene));

    DrawModels(scene);

    if (scene.showGizmo) {
        // The manipulator is drawn over everything, even inside an object.
        glClear(GL_DEPTH_BUFFER_BIT);
        LoadMatrix(ManipulatorModelView(scene));
        lists_.CallManipulator(scene.toolMode);
    }
    if (scene.toolMode == ToolRangeSelect) {
        DrawRubberBand(scene, scene.rubberBand, pixelWidth, pixelHeight);
    }
}

void SceneRenderer::DrawModels(const CCentigrade& scene) {
    const std::size_t count = scene.models.size();
    arrays_.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const CModel& model = scene.models[i];
        if (!model.IsHidden()) {
            arrays_[i].Update(model, scene.materials);
        }
    }

    if (scene.showFaces) {
        for (std::size_t i = 0; i < count; ++i) {
            if (scene.models[i].IsHidden()) {
                continue;
            }
            glPushAttrib(GL_ALL_ATTRIB_BITS);
            glShadeModel(scene.smooth != 0 ? GL_SMOOTH : GL_FLAT);
            glEnable(GL_LIGHTING);
            glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
            // See-through faces leave the depth to the edges and vertices, so
            // those behind a face show through it as those in front do.
            if (scene.xray) {
                glDepthMask(GL_FALSE);
            }
            arrays_[i].DrawFaces(scene.materials, textures_, scene.xray ? kSeeThroughOpacity : 1);
            glPopAttrib();
        }
    }
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    if (scene.showAxis) {
        lists_.CallAxis();
    }
    if (scene.showEdges) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!scene.models[i].IsHidden()) {
                arrays_[i].DrawEdges();
            }
        }
    }
    if (scene.showVertices) {
        for (std::size_t i = 0; i < count; ++i) {
            if (!scene.models[i].IsHidden()) {
                arrays_[i].DrawVertices();
            }
        }
    }
}

void SceneRenderer::DrawRubberBand(const CCentigrade& scene, const int (&rect)[4], int pixelWidth,
                                   int pixelHeight) const {
    const int left = std::min(rect[0], rect[2]);
    const int right = std::max(rect[0], rect[2]);
    const int top = std::min(rect[1], rect[3]);
    const int bottom = std::max(rect[1], rect[3]);
    const int height = static_cast<int>(scene.viewHeight);
    // The client-pixel rectangle is widened by one client pixel on every side,
    // in device pixels on a high-density screen.
    const int border = std::max(1, static_cast<int>(std::lround(pixelHeight / scene.viewHeight)));

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, scene.viewWidth, 0, scene.viewHeight, -1, 1);
    glViewport(-border, -border, pixelWidth + 2 * border, pixelHeight + 2 * border);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_COLOR_LOGIC_OP);
    glLogicOp(GL_XOR);
    glColor3fv(kRubberBandColour);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glRecti(left, height - top, right, height - bottom);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glFlush();
    glDisable(GL_COLOR_LOGIC_OP);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
