#include "viewed_grid.h"

#include "offscreen_gl.h"
#include "support/mesh_generators.h"

CCentigrade MakeViewedGrid(int cells, bool edgesAndVertices) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(cells, 10.0f));
    scene.ComputeAllNormals();
    scene.camera.rotation.x = -20;
    scene.showEdges = edgesAndVertices;
    scene.showVertices = edgesAndVertices;
    scene.viewWidth = kBenchWidth;
    scene.viewHeight = kBenchHeight;
    return scene;
}
