// Textures a save into another folder would leave behind: their names are
// relative to the document, found beside the old file but not beside the new.
#pragma once

#include <QString>
#include <filesystem>
#include <vector>

class CCentigrade;

struct StrandedTexture {
    std::filesystem::path from;  // the file found beside the old document
    std::filesystem::path to;    // where the same name looks beside the new one
};

// One entry a file, in material order; empty when the folder stays the same.
std::vector<StrandedTexture> StrandedTextures(const CCentigrade& scene,
                                              const std::filesystem::path& newFolder);

// Copies each file beside the new document, never over an existing file.
// Empty on success, else the message naming the file and the cause.
QString CopyStrandedTextures(const std::vector<StrandedTexture>& textures);
