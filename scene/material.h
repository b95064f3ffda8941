// One surface description: colour, lighting factors and texture.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

class ArchiveReader;
class ArchiveWriter;
class DibStream;
struct ImageStatus;  // image/image_status.h

class CMaterial {
public:
    CMaterial() { UpdateColors(); }
    explicit CMaterial(int id) : id(id) { UpdateColors(); }

    // Recomputes the four GL colour arrays from the scalar fields.
    void UpdateColors();
    // Drops this material's hold on the decoded image. The GL texture object is
    // the renderer's, which deletes it once no material refers to it any more.
    void ReleaseTexture();

    // Resolves `texture` (relative names against `documentFolder`, then the
    // TEXTURE folder beside the executable) and decodes it into `image`. True
    // when it did; else why not (NotFound for an empty name). `texture` stays
    // as it is either way (only the user clears a name), and without a
    // picture the material is drawn untextured.
    ImageStatus LoadTexture(const std::filesystem::path& documentFolder);
    // Decodes `path` into `image` at 24 bits, or 32 with alpha; on a refusal
    // `image` stays as it was.
    ImageStatus LoadImageFile(const std::filesystem::path& path);
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
