// Shared by the 3D view tests: a shown view on its own scene, the window
// position of scene points, pixel checks and saved pictures.
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <memory>

#include "app/quorvel_view.h"
#include "document/quorvel_document.h"
#include "scene/centigrade.h"

inline constexpr int kViewWidth = 400;
inline constexpr int kViewHeight = 300;

// A view of kViewWidth × kViewHeight client pixels, shown and exposed.
struct ShownView {
    ShownView();
    CQuorvelDoc doc;
    CCentigrade& scene = doc.Scene();
    std::unique_ptr<CQuorvelView> view;
};

// Where `point` lands in the view, in client pixels (y down); false when clipped.
bool ProjectToClient(const CCentigrade& scene, const CVector& point, QPoint& client);
// The same for a point in manipulator units, drawn at `gizmo`.
bool ProjectManipulatorPoint(const CCentigrade& scene, const CVector& point, QPoint& client);

// Whether some pixel within `radius` of `at` has `colour`, each channel within `tolerance`.
bool HasColourNear(const QImage& image, QPoint at, QColor colour, int radius = 1,
                   int tolerance = 2);
bool SameColour(QColor a, QColor b, int tolerance = 2);
// The bounding box of the pixels that differ from `background`.
QRect BoundsOfPixelsOtherThan(const QImage& image, QColor background);

// Saves `image` as NAME.png in the test's artefact folder, for a person to look at.
void SaveArtifact(const QImage& image, const QString& name);

inline const QColor kBackground(kDefaultBackground & 0xFF, (kDefaultBackground >> 8) & 0xFF,
                                (kDefaultBackground >> 16) & 0xFF);

// A quad of `size` in the plane z = 0 centred on the origin, facing +z (its
// corners run clockwise seen from +z), with texture coordinates (0, 0) at the
// top left to (1, 1) at the bottom right, using material 0.
CModel MakeFrontQuad(float size);
