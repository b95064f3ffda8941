// The exhaustive pick: every eligible primitive clipped on its own, with no
// shortcuts, to check the fast pick against.
#pragma once

#include <vector>

#include "edit/pick.h"
#include "scene/centigrade.h"

std::vector<PickHit> ReferenceHits(const CCentigrade& scene, const PickWindow& window);
