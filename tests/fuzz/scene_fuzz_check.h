// What every document reader must guarantee for any input: a scene that keeps
// the invariants (faces of 2–4 corners within their vertex lists, numbers that
// are all finite) and whose normals can be computed.
#pragma once

#include <cmath>
#include <cstdlib>

#include "scene/centigrade.h"
#include "scene/face_rules.h"

inline void CheckFinite(float value) {
    if (!std::isfinite(value)) {
        std::abort();
    }
}

inline void CheckSceneInvariants(CCentigrade& scene) {
    for (const CMaterial& m : scene.materials) {
        for (float value : {m.red, m.green, m.blue, m.alpha, m.diffuse, m.ambient, m.emissive,
                            m.specular, m.power}) {
            CheckFinite(value);
        }
    }
    for (CModel& m : scene.models) {
        for (const CVector& v : m.vertices) {
            CheckFinite(v.x);
            CheckFinite(v.y);
            CheckFinite(v.z);
        }
        for (const CFace& f : m.faces) {
            if (!IsValidFace(f, m.vertices.size())) {
                std::abort();
            }
            for (const CUV& uv : f.uvs) {
                CheckFinite(uv.u);
                CheckFinite(uv.v);
            }
        }
        CheckFinite(m.facet);
        m.ComputeNormals(1);
    }
}

inline std::size_t FaceCount(const CCentigrade& scene) {
    std::size_t faces = 0;
    for (const CModel& m : scene.models) {
        faces += m.faces.size();
    }
    return faces;
}
