// The camera of a picture of the whole scene, for the render command.
#pragma once

#include <string_view>

class CCentigrade;

// Views by name: "front", "back", "side", "opposite", "top", "bottom" (the
// view's presets), "iso" (from above, 45° between front and side) and
// "document" (the document's own camera and zoom, untouched). False for other names.
bool SetNamedView(CCentigrade& scene, std::string_view name);

// Centres the visible objects in the view and sets the zoom so that they fill
// most of it, keeping the camera's direction and distance.
void FrameScene(CCentigrade& scene);
