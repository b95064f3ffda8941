// One surface description: colour, lighting factors and texture.
#pragma once

#include <memory>
#include <string>

class ArchiveReader;
class ArchiveWriter;
class DibStream;

class CMaterial {
public:
    CMaterial() { UpdateColors(); }
    explicit CMaterial(int id) : id(id) { UpdateColors(); }

    // Recomputes the four GL colour arrays from the scalar fields.
    void UpdateColors();
    // Drops this material's hold on the decoded image. The GL texture object is
    // the renderer's, which deletes it once no material refers to it any more.
    void ReleaseTexture();

    // The picture is loaded by LoadTexture (image/texture_loader.h).
    // A texture name without a picture: the file was missing or refused.
    bool TextureMissing() const { return !texture.empty() && !image; }

    void Serialize(ArchiveWriter& ar) const;
    void Serialize(ArchiveReader& ar);

    int id = 0;
    std::string name = "NoMaterial";  // CP932 bytes
    float red = 0.8f;
    float green = 0.8f;
    float blue = 0.8f;
    float alpha = 1.0f;
    float diffuse = 1.0f;
    float ambient = 0.25f;
    float emissive = 0.0f;
    float specular = 0.0f;
    float power = 5.0f;
    std::string texture;  // CP932 file name as the document holds it
    std::string alphaPlane;
    std::string bump;

    // Shared by copies of the material, like the texture object it is uploaded to.
    std::shared_ptr<DibStream> image;
    float glDiffuse[4] = {};
    float glAmbient[4] = {};
    float glSpecular[4] = {};
    float glEmission[4] = {};
};
