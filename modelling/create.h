// create.plane, create.cube, create.cylinder, create.sphere, create.cone.
#pragma once

#include <string_view>

#include "modelling/modelling_result.h"
#include "modelling/primitives.h"

class CCentigrade;
class PriorState;

// The shape as a new object named after it ("平面", "立方体", "円柱", "球",
// "円錐", with a number when that name is taken), its faces of the current
// material (a scene without materials gets a default one). The new object
// becomes current with all its faces selected; nothing else stays selected.
// Refuses options CheckPrimitiveOptions refuses.
ModellingResult CreatePrimitive(CCentigrade& scene, Primitive shape,
                                const PrimitiveOptions& options, PriorState* prior = nullptr);

// The shape's name, UTF-8.
std::string_view PrimitiveName(Primitive shape);
