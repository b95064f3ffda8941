// The colour swatch of a material, shared by the material list and form.
#pragma once

#include <QColor>

class CMaterial;
class QPainter;
class QRect;

// The material's red, green and blue as 0–255 channels; values outside 0–1
// (possible in imported documents) are clamped rather than wrapped.
QColor SwatchColour(const CMaterial& material);

// A square outlined by a solid black 1-pixel pen and filled with `colour`;
// `box` includes the outline.
void PaintSwatchBox(QPainter& painter, const QRect& box, const QColor& colour);
