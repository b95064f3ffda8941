// The scene: objects, materials, camera, and the view and tool settings that
// every part of the program reads. GL state is not here: it belongs to the
// renderer, which mirrors what it needs from the scene.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

#include "scene/block_bounds.h"
#include "scene/material.h"
#include "scene/model.h"
#include "scene/vector.h"

class ArchiveReader;
class ArchiveWriter;

enum ToolMode {
    ToolNone = 0,
    ToolObjectForm = 1,
    ToolMaterialForm = 2,
    ToolSelect = 3,
    ToolRangeSelect = 4,
    ToolMove = 5,
    ToolRotate = 6,
    ToolScale = 7,
    ToolDeleteFace = 8,
    ToolPaintMaterial = 9,
};

enum SelectMode {
    SelectNormal = 0,
    SelectConnected = 1,
    SelectBelt = 2,
    SelectPickObject = 3,
    SelectBrush = 4,
};

// The tools whose manipulator the view shows and drags.
constexpr bool IsManipulatorTool(int tool) {
    return tool == ToolMove || tool == ToolRotate || tool == ToolScale;
}

// A window colour: red in the low byte, then green, then blue.
constexpr std::uint32_t MakeColorRef(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
}

constexpr std::uint32_t kDefaultBackground = MakeColorRef(30, 65, 90);

// What picks keep of one object between clicks. Each part names the revision
// it holds for, so a stale entry is never used.
struct ObjectPickCache {
    BlockBounds bounds;
    // While the object's selection and topology revisions are `selection` and
    // `topology`, no selection flag of the object is set but those of face
    // `face` and vertex `vertex` (-1: none), so the next click that drops the
    // selection clears those alone.
    std::uint64_t selection = 0;
    std::uint64_t topology = 0;
    int face = -1;
    int vertex = -1;
    // The vertices that only hidden faces use, while the object's topology
    // revision is `hiddenTopology` (empty when no face is hidden).
    std::vector<bool> hiddenVertices;
    std::uint64_t hiddenTopology = 0;
};

class CCentigrade {
public:
    CCentigrade();

    // --- Scene management
    void Reset();
    void ReleaseTextures();
    void UpdateAllColors();
    void ComputeAllNormals();
    void ComputeCurrentNormals();
    void UpdateUsedFlags();
    // Remembers the folder of `path` (a document's file name); relative texture
    // names resolve against it.
    void SetDocumentFolder(const std::filesystem::path& path);
    const std::filesystem::path& DocumentFolder() const { return documentFolder; }

    // --- Native documents
    void Serialize(ArchiveWriter& ar) const;
    // Reads a whole scene into this one. Returns the number of faces repaired
    // or dropped because they broke the invariants. Throws DocumentError, and
    // then leaves the scene as it was: the records read replace the scene's
    // only once the whole document has been read.
    int Serialize(ArchiveReader& ar);

    // The operations of the higher layers on the scene are free functions of
    // those layers: loading textures (image/texture_loader.h), Metasequoia
    // exchange (exchange/loader_mqo.h, exchange/mqo_writer.h), picking and
    // selection (edit/pick.h, edit/selection.h), the manipulator
    // (edit/gizmo.h), transforms (edit/transforms.h, edit/drag.h) and the face
    // tools (edit/face_tools.h).

    std::vector<CModel> models;
    std::vector<CMaterial> materials;
    CAnimation camera;
    int modelSerial = 0;
    int smooth = 1;
    float fov = 10.0f;
    float viewWidth = 0;
    float viewHeight = 0;
    int materialSerial = 0;
    std::uint32_t background = kDefaultBackground;
    float zoom = 100.0f;
    int currentModel = 0;
    int currentMaterial = 0;
    int toolMode = ToolNone;
    int selectMode = SelectNormal;
    bool showVertices = false;
    bool showEdges = false;
    bool showFaces = true;
    bool showAxis = true;
    CVector gizmo;
    bool showGizmo = false;
    int hitIndex = -1;
    bool vertexSelectable = true;
    bool edgeSelectable = false;
    bool faceSelectable = true;
    int rubberBand[4] = {0, 0, 0, 0};  // left, top, right, bottom in view pixels
    bool keyFlag = false;
    // See-through: range selection also takes what faces in front hide.
    bool xray = false;
    // One entry per object, kept up to date by picking.
    mutable std::vector<ObjectPickCache> pickCaches;

private:
    std::filesystem::path documentFolder;
};
