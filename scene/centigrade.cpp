#include "scene/centigrade.h"

#include <cstdint>

CCentigrade::CCentigrade() {
    Reset();
}

void CCentigrade::Reset() {
    materials.clear();
    models.clear();
    camera.rotation = CVector(20, -50, 0);
    camera.position = CVector(0, 0, -2000);
    fov = 10.0f;
    smooth = 1;
    background = kDefaultBackground;
    modelSerial = 0;
    materialSerial = 0;
    zoom = 100.0f;
    showVertices = false;
    showEdges = false;
    showFaces = true;
    showAxis = true;
    showGizmo = false;
    hitIndex = -1;
    vertexSelectable = true;
    edgeSelectable = false;
    faceSelectable = true;
    keyFlag = false;
    xray = false;
}

void CCentigrade::ReleaseTextures() {
    for (CMaterial& m : materials) {
        m.ReleaseTexture();
    }
}

void CCentigrade::UpdateAllColors() {
    for (CMaterial& m : materials) {
        m.UpdateColors();
    }
}

void CCentigrade::ComputeAllNormals() {
    for (CModel& m : models) {
        m.ComputeNormals(smooth);
    }
}

void CCentigrade::ComputeCurrentNormals() {
    if (currentModel >= 0 && currentModel < static_cast<int>(models.size())) {
        models[static_cast<std::size_t>(currentModel)].ComputeNormals(smooth);
    }
}

void CCentigrade::UpdateUsedFlags() {
    for (CModel& m : models) {
        m.UpdateUsedFlags();
    }
}

// Vertices are never removed (face indices must stay valid); a vertex no face
// refers to is only flagged, so that it is neither drawn nor smoothed. Only an
// object whose flags change is touched, so the others keep their buffers and
// normals; the marks stay as they are, since the manipulator reads them.
void CModel::UpdateUsedFlags() {
    std::vector<std::uint8_t> referenced(vertices.size());
    for (const CFace& f : faces) {
        for (int i : f.indices) {
            referenced[static_cast<std::size_t>(i)] = 1;
        }
    }
    bool changed = false;
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        if (!referenced[i] && vertices[i].used) {
            vertices[i].used = false;
            changed = true;
        }
    }
    if (changed) {
        TouchTopology();
    }
}

void CCentigrade::SetDocumentFolder(const std::filesystem::path& path) {
    documentFolder = path.parent_path();
}
