#include "view_helpers.h"

#include <cmath>

#include "support/mesh_generators.h"

CCentigrade TopViewScene(CModel model) {
    CCentigrade scene = MakeSceneWith(std::move(model));
    scene.viewWidth = 800;
    scene.viewHeight = 600;
    scene.camera.rotation = CVector(90, 0, 0);
    scene.toolMode = ToolSelect;
    return scene;
}

WindowCoord WindowOf(const CCentigrade& scene, const CVector& point) {
    WindowCoord w;
    ProjectToWindow(SceneProjection(scene) * SceneModelView(scene), SceneViewport(scene), point, w);
    return w;
}

ClientPoint ClientOf(const CCentigrade& scene, const CVector& point, int dx, int dy) {
    const WindowCoord w = WindowOf(scene, point);
    return {static_cast<int>(std::lround(w.x)) + dx,
            static_cast<int>(std::lround(scene.viewHeight - w.y)) + dy};
}
