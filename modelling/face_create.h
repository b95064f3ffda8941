// face.create: a line, triangle or quad from 2, 3 or 4 selected vertices.
#pragma once

#include "modelling/modelling_result.h"
#include "scene/vector.h"

class CCentigrade;
class PriorState;

struct FaceCreateOptions {
    // The direction the camera looks in, from the eye into the scene: the
    // new face is wound so that it is seen from the camera.
    CVector viewDirection = CVector(0, 0, -1);
};

// The direction the scene's camera looks in, in object coordinates.
CVector CameraViewDirection(const CCentigrade& scene);

// The affected vertices (selected, corners of selected faces, ends of
// selected edges) of the current object become one new face of the current
// material: a line (corners in index order) or a triangle or quad whose
// corners run around their centroid, so that no edges cross. The new face
// alone is selected afterwards. Refuses fewer than 2 vertices
// (TooFewVertices) and more than 4 (TooManyVertices).
ModellingResult CreateFace(CCentigrade& scene, const FaceCreateOptions& options,
                           PriorState* prior = nullptr);
