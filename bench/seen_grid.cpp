#include "seen_grid.h"

#include "support/mesh_generators.h"

CCentigrade GridSeenFromBelow(int cells, float cellSize) {
    CCentigrade scene = MakeSceneWith(MakeQuadGrid(cells, cellSize));
    scene.viewWidth = 800;
    scene.viewHeight = 600;
    scene.camera.rotation = CVector(-90, 0, 0);
    scene.ComputeAllNormals();
    return scene;
}
