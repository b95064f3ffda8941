// The JSON printed by "quorvel-cli info --json" and "textures --json".
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

// Prints `json` on one line of standard output. Names stay as they are, but
// the C1 control characters (U+0080–U+009F), which JSON lets through and some
// terminals obey, are written as "\u0080" escapes like the C0 ones.
void PrintJson(const nlohmann::ordered_json& json);
// [x, y, z], each as SceneToJson prints numbers.
nlohmann::ordered_json VectorToJson(const CVector& v);
