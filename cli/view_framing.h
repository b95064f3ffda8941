// The named views of the render command.
#pragma once

#include <string_view>

class CCentigrade;

// Views by name: "front", "back", "side", "opposite", "top", "bottom" (the
// view's presets), "iso" (from above, 45° between front and side) and
// "document" (the document's own camera and zoom, untouched). False for other names.
bool SetNamedView(CCentigrade& scene, std::string_view name);
