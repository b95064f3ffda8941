// Reads Wavefront OBJ text into a scene, appending its objects and materials.
//
// "o" and "g" start objects; "v", "vt", "f" (every index form, negative ones
// counting back from the last element read) and "l" give their geometry;
// "usemtl" and "mtllib" their materials. Normals, smoothing groups and
// everything else are read past: Quorvel computes its own normals.
//
// Faces of 2 to 4 corners are kept as they are; polygons of 5 or more corners
// are split by a fan into quads and a last triangle (a conversion); faces of
// one corner or with an index outside the lists are dropped (a repair).
// OBJ faces are seen from the side where their corners run counter-clockwise,
// Quorvel's from the side where they run clockwise: the corner order is
// reversed (keeping the first corner), so a face shows the same side as in the
// program that wrote it. OBJ texture coordinates count v up from the bottom of
// the picture, Quorvel's down from the top: v becomes 1 − v.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "image/image_status.h"

class CCentigrade;
class CMaterial;

struct ObjImport {
    // Faces dropped, characters of names that code page 932 lacks, numbers
    // that were not finite (read as 0).
    int repairs = 0;
    int conversions = 0;  // polygons of 5 or more corners split, polylines cut into segments
    std::string failure;  // why nothing could be read, when that was the case
    // Materials whose texture could not be loaded; they keep their names.
    std::vector<TextureFailure> textureFailures;
};

class ObjReader {
public:
    // Gives the text of a material library named by "mtllib" (as written in
    // the file), or nothing when there is no such file.
    using LibrarySource = std::function<std::optional<std::string>(std::string_view name)>;

    ObjReader(CCentigrade& scene, LibrarySource libraries);
    ~ObjReader();
    ObjReader(const ObjReader&) = delete;
    ObjReader& operator=(const ObjReader&) = delete;

    // Called for each material read from a library that names a texture.
    std::function<void(CMaterial&)> loadTexture;

    // One line without its line feed.
    void ReadLine(std::string_view line);
    // Adds the last object to the scene; returns what the import counted.
    ObjImport Finish();

private:
    struct State;
    std::unique_ptr<State> state;
};

// Imports OBJ text held in memory (the whole file).
ObjImport ImportObjText(CCentigrade& scene, std::string_view text,
                        ObjReader::LibrarySource libraries = {});

// Imports the OBJ file `path`: material libraries and textures are looked up
// beside it. On a file that cannot be read, `failure` is set and the scene is
// unchanged.
ObjImport ImportObjFile(CCentigrade& scene, const std::filesystem::path& path);
