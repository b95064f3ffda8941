// The two click tools that work on single faces.
#pragma once

class CCentigrade;

// Gives the face the number of the current material; nothing when there is
// no current material or no such face.
void PaintFace(CCentigrade& scene, int model, int face);
// Removes the face and flags the vertices no face of its object uses any more.
void DeleteFace(CCentigrade& scene, int model, int face);
