// Where a texture chosen from a file dialog is stored as a material's name.
#pragma once

#include <filesystem>
#include <string>

// The texture name to store for a chosen file: inside the program's "Texture"
// folder (any case) the part after that folder, elsewhere the path unchanged.
std::string TextureNameForFile(const std::string& utf8Path,
                               const std::filesystem::path& programFolder);
