// The steps of UpdateGizmo: the marks that make corners of selected faces and
// ends of selected edges affected, and the manipulator at the centre of the
// bounding box of the affected vertices.
#pragma once

class CCentigrade;
class CFace;
class CModel;

// Marks the corners of `face` (of `model`) when it is selected, and the ends of
// its selected edges.
void MarkFaceCorners(CModel& model, const CFace& face);

// The same for every face of the model.
void MarkSelectedCorners(CModel& model);

// Puts the manipulator at the centre of the bounding box of the affected
// vertices of editable objects, and shows it when there is any.
void PlaceGizmo(CCentigrade& scene);
