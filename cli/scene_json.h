// The JSON summary of a scene printed by "quorvel-cli info --json".
#pragma once

#include <nlohmann/json.hpp>
#include <optional>

class CCentigrade;
class CVector;

// Names are converted from CP932 to UTF-8; floats are printed in their
// shortest form that reads back as the same float. `importResult`, the
// Metasequoia reader's result code, is given for imported documents only.
nlohmann::ordered_json SceneToJson(const CCentigrade& scene, int repairs, bool geometry,
                                   std::optional<int> importResult = std::nullopt);

// [x, y, z], each as SceneToJson prints numbers.
nlohmann::ordered_json VectorToJson(const CVector& v);
