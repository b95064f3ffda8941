// Wavefront material libraries (".mtl") as Quorvel materials.
//
// Kd is the colour (diffuse factor 1), d the opacity (or 1 − Tr), Ns the
// specular exponent; Ka, Ks and Ke become the grey ambient, specular and
// emissive factors (the mean of their three values). map_Kd names the texture,
// map_d the alpha plane, map_Bump or bump the bump image, each as written in
// the file. Everything else (illum, Ni, other maps) is read past.
#pragma once

#include <string_view>
#include <vector>

#include "scene/material.h"

// The materials in file order, with id 0; names and file names as code page
// 932 bytes. `repairs` counts characters of UTF-8 names that code page 932
// lacks and numbers that were not finite (read as 0).
std::vector<CMaterial> ParseMaterialLibrary(std::string_view text, int& repairs);
