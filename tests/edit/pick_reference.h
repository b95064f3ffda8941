// The exhaustive pick: every eligible primitive clipped on its own, with no
// shortcuts, to check the fast pick against. Hidden faces and the vertices
// only they use are passed by; a range without see-through then drops the
// vertices faces hide, as the fast pick does.
#pragma once

#include <vector>

#include "edit/pick.h"
#include "scene/centigrade.h"

std::vector<PickHit> ReferenceHits(const CCentigrade& scene, const PickWindow& window);
