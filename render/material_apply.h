// Handing a material to the lit, fixed-function pipeline.
#pragma once

class CMaterial;

// Diffuse, ambient, specular and emission colours and the shininess for front
// and back faces; then texturing on with `textureName` bound, or off when the
// material names no texture or its picture could not be uploaded (name 0).
// `opacity` scales the diffuse alpha, which the lit faces take as theirs.
void ApplyMaterial(const CMaterial& material, unsigned textureName, float opacity = 1);
