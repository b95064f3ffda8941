// Steps that delete or paint faces: the clicks of the face tools and the
// deletion half of a cut.
#pragma once

#include <string>

class CCentigrade;
class EditHistory;

// A left-button press in the 3D view with the face-delete or material-paint
// tool: what CCentigrade::Pick does there (the face under the point deleted or
// painted, the manipulator placed again), recorded as one step ("面削除",
// "材質塗り") when it changed anything. With any other tool it is Pick itself.
// True when anything was hit.
bool ClickFaceTool(EditHistory& history, CCentigrade& scene, int x, int y);

// Removes the selected faces of editable objects, flags the vertices no face
// uses any more and places the manipulator again, as one step named `name`.
// True when a face was removed.
bool DeleteSelectedFaces(EditHistory& history, CCentigrade& scene, std::string name);
