// Loading the textures that materials name.
#pragma once

#include <filesystem>
#include <vector>

#include "image/image_status.h"

class CCentigrade;
class CMaterial;

// Resolves the material's `texture` (relative names against `documentFolder`,
// then the TEXTURE folder beside the executable) and decodes it into `image`.
// True when it did; else why not (NotFound for an empty name). `texture` stays
// as it is either way (only the user clears a name), and without a picture the
// material is drawn untextured.
ImageStatus LoadTexture(CMaterial& material, const std::filesystem::path& documentFolder);

// Decodes `path` into the material's `image` at 24 bits, or 32 with alpha; on
// a refusal `image` stays as it was.
ImageStatus LoadImageFile(CMaterial& material, const std::filesystem::path& path);

// Loads every material's texture against the scene's document folder; returns
// the materials whose texture could not be loaded (they keep their names).
std::vector<TextureFailure> LoadTextures(CCentigrade& scene);
