// Steps that delete or paint faces: the clicks of the face tools and the
// deletion half of a cut.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class CCentigrade;
class CFace;
class EditHistory;

// A left-button press in the 3D view: Pick (edit/pick.h), and with the
// face-delete or material-paint tool (the face under the point deleted or
// painted, the manipulator placed again) recorded as one step ("面削除",
// "材質塗り") when it changed anything. True when anything was hit.
bool ClickFaceTool(EditHistory& history, CCentigrade& scene, int x, int y);

// Removes the selected faces of editable objects, flags the vertices no face
// uses any more and places the manipulator again, as one step named `name`.
// True when a face was removed.
bool DeleteSelectedFaces(EditHistory& history, CCentigrade& scene, std::string name);
// The same for the faces of editable objects `removed` names.
bool DeleteFacesWhere(EditHistory& history, CCentigrade& scene, std::string name,
                      bool (*removed)(const CFace&));

// Removes faces `faces` of object `model` (valid places, in any order), as
// DeleteSelectedFaces does. False when `faces` is empty.
bool DeleteFaces(EditHistory& history, CCentigrade& scene, std::size_t model,
                 std::vector<std::size_t> faces, std::string_view name);

// Gives faces `faces` (valid places) of object `model` material number
// `material`, as one step ("材質塗り"). False when none changed.
bool PaintFaces(EditHistory& history, CCentigrade& scene, std::size_t model,
                const std::vector<std::size_t>& faces, int material);
