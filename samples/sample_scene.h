// The sample scene kept in samples/: a few objects with Japanese names that
// show what the modeler draws. scripts/make-samples writes it out; a test
// checks that the committed files still match.
#pragma once

#include <string>

#include "scene/centigrade.h"

// The floor's texture, a file beside the documents.
inline constexpr const char* kSampleTextureName = "sample_wood.bmp";

// A floor of textured quads, a smooth pillar with triangle caps, a faceted
// box and a semi-transparent pyramid roof, with four materials.
CCentigrade MakeSampleScene();

// The floor's texture: a 64 × 64 wood-grain picture as a 24-bit Windows bitmap.
std::string SampleTextureBmp();
