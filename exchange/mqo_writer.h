// The Metasequoia text document (version 1.0) of a scene, as bytes.
#pragma once

#include <filesystem>
#include <string>

class CCentigrade;
class CMaterial;

// Lines end in CR LF, as the format's Windows origin writes them, so a file is
// the same whichever system wrote it. Numbers are formatted in the C locale.
std::string FormatMQO(const CCentigrade& scene);

// The line of `material` in the Material chunk. Two materials with equal lines
// cannot be told apart in a document.
std::string FormatMQOMaterial(const CMaterial& material);

// Writes the scene as a Metasequoia text document through a temporary file,
// so a failed save leaves an existing file intact. Throws DocumentError.
void SaveMQO(const CCentigrade& scene, const std::filesystem::path& path);
