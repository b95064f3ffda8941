// Wavefront OBJ text of a scene, with its material library (".mtl").
//
// One "o" per object; vertex numbers count across the file. Faces are
// written with their corners in the order OBJ readers expect for the side
// Quorvel shows (the reverse of the reader's conversion), texture coordinates
// with v measured from the bottom, two-corner faces as "l" lines. Smoothing
// angles and object states have no place in the format and are not written.
// Materials: Kd is the colour times the diffuse factor; Ka, Ks and Ke carry
// the ambient, specular and emissive factors as greys; Ns the power; d the
// opacity; texture names are written as the scene holds them, with "/".
// Names are single words: blanks and control characters become "_", and a
// number that is not finite is written as 0.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "scene/file_failure.h"

class CCentigrade;

std::string FormatObj(const CCentigrade& scene, std::string_view libraryName);
std::string FormatMaterialLibrary(const CCentigrade& scene);

// The material library written beside `path`: the same name with ".mtl", its
// blanks and control characters as "_" (the "mtllib" line names it as a word).
std::filesystem::path MaterialLibraryPath(const std::filesystem::path& path);

// Writes `path` and its library beside it, both to temporary files that
// replace the targets only once both are complete. A name holding a line
// break is refused.
FileFailure SaveObj(const std::filesystem::path& path, const CCentigrade& scene);
