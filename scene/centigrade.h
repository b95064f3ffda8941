// The scene: objects, materials, camera, and the view and tool settings that
// every part of the program reads. GL state is not here: it belongs to the
// renderer, which mirrors what it needs from the scene.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

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

// A window colour: red in the low byte, then green, then blue.
constexpr std::uint32_t MakeColorRef(int red, int green, int blue) {
    return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
           static_cast<std::uint32_t>(blue) << 16;
}

class CCentigrade {
public:
    CCentigrade();

    // --- Scene management
    void Reset();
    void ReleaseTextures();
    // Loads every material's texture; failures are reported per material.
    void LoadTextures();
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
    // or dropped because they broke the invariants. Throws ArchiveError; the
    // caller reads into a fresh scene so that a failure leaves the user's intact.
    int Serialize(ArchiveReader& ar);

    // --- Metasequoia exchange
    struct MqoImport {
        int result = 0;        // LoaderMQO's result code
        int repairs = 0;       // faces dropped and characters replaced to keep the invariants
        std::string failure;   // why nothing could be read, when that was the case
    };
    // Appends the materials and objects of a ".mqo" document, or of the one in
    // a ".mqoz" archive. True when the whole document was read.
    bool LoadMQO(const std::filesystem::path& path, MqoImport* outcome = nullptr);
    // Writes the scene as a Metasequoia text document through a temporary file,
    // so a failed save leaves an existing file intact. False on failure.
    bool SaveMQO(const std::filesystem::path& path, std::string* failure = nullptr) const;

    // --- Picking and selection

    // --- Transforms and face tools

    std::vector<CModel> models;
    std::vector<CMaterial> materials;
    CAnimation camera;
    int modelSerial = 0;
    int smooth = 1;
    float fov = 10.0f;
    float viewWidth = 0;
    float viewHeight = 0;
    int materialSerial = 0;
    std::uint32_t background = MakeColorRef(30, 65, 90);
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

private:
    std::filesystem::path documentFolder;
};
