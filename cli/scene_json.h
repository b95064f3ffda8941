// The JSON summary of a scene printed by "quorvel-cli info --json".
#pragma once

#include <nlohmann/json.hpp>

class CCentigrade;

// Names are converted from CP932 to UTF-8; floats are printed in their
// shortest form that reads back as the same float. `importResult` is the
// Metasequoia reader's result code (0 for every complete read).
nlohmann::ordered_json SceneToJson(const CCentigrade& scene, int repairs, bool geometry,
                                   int importResult = 0);
