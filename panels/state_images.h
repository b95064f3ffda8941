// The object list's state images: a visibility button (an eye) on the left
// and a lock button (a key) on the right, drawn as vector shapes so that they
// stay sharp at any device pixel ratio. The click zones are computed from the
// same rectangle the image is drawn in.
#pragma once

#include <QRect>

class QPainter;
class QPalette;

inline constexpr int kStateImageWidth = 40;
inline constexpr int kStateImageHeight = 19;

// Where the image is drawn inside a cell of the state column.
QRect StateImageRect(const QRect& cell);

enum class StateZone { None, Visibility, Lock };
// Which button a click at window x (of the list's viewport) hits in that cell.
StateZone StateZoneAt(const QRect& cell, int x);

// State 0 eye and empty key button, 1 eye and key, 2 empty eye button and key,
// 3 both empty.
void PaintStateImage(QPainter& painter, const QRect& image, int state, const QPalette& palette);
