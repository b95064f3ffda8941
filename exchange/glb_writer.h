// glTF 2.0 binary (".glb") of a scene: one node and mesh an object, one
// primitive a material, textures embedded as PNG. Positions are in scene
// units, y up, as Quorvel draws them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "scene/file_failure.h"

class CCentigrade;

// Empty when the scene is too large for the format (4 GB).
std::vector<std::uint8_t> FormatGlb(const CCentigrade& scene);

// Writes the file through a temporary one.
FileFailure SaveGlb(const std::filesystem::path& path, const CCentigrade& scene);
