// ".mqoz" archives: the Metasequoia text of a scene and the texture files its
// materials name, in one zip file.
#pragma once

#include <filesystem>
#include <string>

#include "scene/file_failure.h"

class CCentigrade;

// Relative texture names (without "..") keep their folders inside the
// archive; other names are stored by their file name alone, and the document
// inside names them so. Textures whose file cannot be found are named but not
// stored. The archive is built in memory and written through a temporary file,
// so a failure leaves an existing file intact; a texture that cannot be read
// fails the save, naming the texture.
FileFailure SaveMqoz(const std::filesystem::path& path, const CCentigrade& scene);
