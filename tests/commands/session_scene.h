// The scene the session tests start from.
#pragma once

#include "commands/session.h"
#include "support/mesh_generators.h"

// A cube (object 0, current, vertices 0 to 7, faces 0 to 5) and a 2 × 2 grid
// (object 1), two materials.
inline void Fill(CommandSession& session) {
    CCentigrade& scene = session.Scene();
    scene = MakeSceneWith(MakeCube(2));
    CModel grid = MakeQuadGrid(2);
    grid.id = ++scene.modelSerial;
    scene.models.push_back(std::move(grid));
    scene.materials.emplace_back(scene.materialSerial++);
    scene.ComputeAllNormals();
}
