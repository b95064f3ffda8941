// Opening and saving documents by file name, the format chosen by extension:
// the steps a document open takes, shared by the application and the CLI.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "image/image_status.h"
#include "scene/document_error.h"

class CCentigrade;
struct AtomicWriteOptions;

struct DocumentLoadResult {
    int repairs = 0;        // faces, names or numbers fixed to keep the scene's invariants
    int importResult = 0;   // the importer's result code; 0 for native documents
    int conversions = 0;    // polygons split or otherwise reshaped to fit the scene
    bool imported = false;  // a Metasequoia or OBJ document, added to the scene
    // Materials whose texture could not be loaded; they keep their names.
    std::vector<TextureFailure> textureFailures;
};

// The extension of `path` in lower case, without the dot.
std::string LowerExtension(const std::filesystem::path& path);

// Reads `path` into `scene` as an open does: native documents replace the
// scene's contents, Metasequoia documents (".mqo", ".mqoz") and OBJ files are
// added to them;
// then colours and normals are rebuilt. A Metasequoia document that stops
// early keeps what was read and sets `importResult`. Throws DocumentError
// when nothing could be read.
DocumentLoadResult OpenDocumentFile(const std::filesystem::path& path, CCentigrade& scene);
// The same, but the normals are left to whoever needs them first
// (CModel::UpdateNormals computes them then): a script that only wants the
// geometry spares a quarter of the open.
DocumentLoadResult ReadDocumentFile(const std::filesystem::path& path, CCentigrade& scene);

// The appending readers of the format table: a Metasequoia document (".mqo",
// or the one in a ".mqoz" archive), of which a damaged one leaves what was
// read before the damage, and an OBJ file, read whole into a scene of its own
// first. Both resolve textures beside the file; neither computes normals.
DocumentLoadResult ImportMetasequoia(const std::filesystem::path& path, CCentigrade& scene);
DocumentLoadResult ImportObj(const std::filesystem::path& path, CCentigrade& scene);

// Writes `scene` to `path` in the format its extension names (".qvl", ".mqo",
// ".mqoz" with its textures, ".obj" with its ".mtl", ".stl", ".glb"). Throws
// DocumentError.
void SaveDocumentFile(const std::filesystem::path& path, const CCentigrade& scene);
// The same, keeping the file it replaces when `options` ask for it.
void SaveDocumentFile(const std::filesystem::path& path, const CCentigrade& scene,
                      const AtomicWriteOptions& options);
