// Draws the scene into the current OpenGL context: the fixed GL state, the
// lighting, the frame with its passes, and the range rectangle.
//
// All GL objects of the program live here (display lists, texture objects and
// the objects' buffer objects), each deleted by its owner as it goes; the scene
// itself knows nothing of the GL. The context is owned by the window, which
// calls CreateContext once it is current and ReleaseContext before it goes
// away; it may do both again when the window system replaces the context.
#pragma once

#include <vector>

#include "render/handle_lists.h"
#include "render/model_arrays.h"
#include "render/texture_cache.h"

class CCentigrade;

class SceneRenderer {
public:
    // Sets the fixed state, the clear colour and the display lists.
    void CreateContext(const CCentigrade& scene);
    // Deletes every GL object while the context is still current.
    void ReleaseContext();

    // One frame into the bound framebuffer of `pixelWidth` × `pixelHeight`
    // device pixels, which the scene's viewWidth × viewHeight client pixels
    // cover. Brings the arrays of objects that changed since the last frame up
    // to date.
    void Draw(const CCentigrade& scene, int pixelWidth, int pixelHeight);

    const TextureCache& Textures() const { return textures_; }

private:
    void ClearBackground(const CCentigrade& scene);
    void ClearFrame() const;
    void DrawModels(const CCentigrade& scene);
    void DrawRubberBand(const CCentigrade& scene, const int (&rect)[4], int pixelWidth,
                        int pixelHeight) const;

    HandleLists lists_;
    TextureCache textures_;
    std::vector<ModelArrays> arrays_;  // one per object, by list position
    float clearColour_[4] = {};
};

// Directional white light from the eye, set with the model-view at identity.
void SetupLight();
