#include "render/material_apply.h"

#include <algorithm>

#include "render/gl_api.h"
#include "scene/material.h"

void ApplyMaterial(const CMaterial& material, unsigned textureName, float opacity) {
    const float diffuse[4] = {material.glDiffuse[0], material.glDiffuse[1], material.glDiffuse[2],
                              material.glDiffuse[3] * opacity};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, material.glAmbient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, material.glSpecular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, material.glEmission);
    // The GL ignores a shininess outside 0..128, which would leave the previous
    // material's value in force; Metasequoia documents may carry larger powers.
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(material.power, 0.0f, 128.0f));
    if (material.texture.empty() || textureName == 0) {
        glDisable(GL_TEXTURE_2D);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureName);
}
