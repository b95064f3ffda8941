// The shapes of the create commands, built around the origin and moved to
// their centre: quads wherever the shape allows, triangles at the poles and
// the tip; every face seen from outside; texture coordinates planar on the
// plane, the cube's sides and the caps, cylindrical on the walls of the
// cylinder and the cone, spherical on the sphere ((0, 0) at the top left of
// the image, v growing downwards).
#pragma once

#include "modelling/modelling_result.h"
#include "scene/model.h"
#include "scene/vector.h"

enum class Primitive { Plane, Cube, Cylinder, Sphere, Cone };

// `size` is the plane's and the cube's side, the diameter and height of the
// cylinder and the cone, and the sphere's diameter. `segments` is the number
// of cells along each side of the plane and the cube and the number of
// corners around the others; `rings` the number of bands from top to bottom
// (cylinder, sphere, cone; unused by the plane and the cube). The y axis is up.
struct PrimitiveOptions {
    float size = 100.0f;
    int segments = 1;
    int rings = 1;
    CVector centre;
};

// What the dialog offers first.
PrimitiveOptions DefaultPrimitiveOptions(Primitive shape);

// Ranges: plane segments 1..1024; cube 1..512; cylinder, sphere and cone
// segments 3..1024, rings 1..1024 (sphere 2..1024).
ModellingRefusal CheckPrimitiveOptions(Primitive shape, const PrimitiveOptions& options);

// The shape as an object of its own, every face of `material`, nothing
// selected. The options must pass CheckPrimitiveOptions.
CModel BuildPrimitive(Primitive shape, const PrimitiveOptions& options, int material);
