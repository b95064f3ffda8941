#include <atomic>

#include "scene/face.h"
#include "scene/material.h"
#include "scene/model.h"
#include "scene/vector.h"

std::uint64_t NextModelRevision() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

void CAnimation::Reset() {
    position = CVector(0, 0, 0);
    rotation = CVector(0, 0, 0);
    scale = CVector(1, 1, 1);
}

void CFace::SetAllEdges(bool on) {
    for (bool& edge : edgeSelected) {
        edge = on;
    }
}

void CMaterial::UpdateColors() {
    const float colour[3] = {red, green, blue};
    for (int i = 0; i < 3; ++i) {
        glDiffuse[i] = colour[i] * diffuse;
        glAmbient[i] = colour[i] * ambient;
        glSpecular[i] = specular;
        glEmission[i] = colour[i] * emissive;
    }
    glDiffuse[3] = glAmbient[3] = glSpecular[3] = glEmission[3] = alpha;
}

void CMaterial::ReleaseTexture() {
    image.reset();
}
