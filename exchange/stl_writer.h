// Binary STL of a scene, for 3D printing: every object's faces as triangles,
// in scene units read as millimetres. Materials, texture coordinates and
// line faces have no place in the format.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "scene/file_failure.h"

class CCentigrade;

// Empty when the scene has more triangles than the format can count.
std::vector<std::uint8_t> FormatStl(const CCentigrade& scene);

// Writes the file through a temporary one.
FileFailure SaveStl(const std::filesystem::path& path, const CCentigrade& scene);
