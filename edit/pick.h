// Picking: what lies under a point of the 3D view or inside the range rectangle.
//
// The test is done on the CPU and gives the hit records a GL selection pass
// would give: every vertex, edge, face or manipulator shape eligible for the
// current tool is clipped against the pick window and the depth planes, faces
// the view culls are left out, and each record carries the minimum window depth
// of its clipped primitive on the 0 to 2 scale of the select buffer.
#pragma once

#include <functional>
#include <vector>

class CCentigrade;

// Element kinds of hit records, in the order of preference: vertex before
// edge before face.
enum class PickKind { Vertex, Edge, Face, Handle };

// The object of a handle record.
constexpr int kNoObject = -1;

// Manipulator handles.
constexpr int HandleNone = -1;
constexpr int HandleX = 0;
constexpr int HandleY = 1;
constexpr int HandleZ = 2;
constexpr int HandleCenter = 3;

// One hit record: what was hit and its minimum depth. For a handle the object
// is kNoObject and the element the handle number; for an edge the element
// is the edge number within the object (edges numbered face by face).
struct PickHit {
    PickKind kind = PickKind::Vertex;
    int object = 0;
    int element = 0;
    float depth = 0;

    friend bool operator==(const PickHit&, const PickHit&) = default;
};

// A resolved pick: every record in the order the elements were offered, the best
// hit among them and the first handle hit.
struct PickResult {
    std::vector<PickHit> records;
    PickHit best;
    int handle = HandleNone;
};

// The pick window in window coordinates (y up): its centre and size in pixels.
struct PickWindow {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
};

// Which element kinds the current tool and select mode offer to the pick.
struct PickEligibility {
    bool handles = false;
    bool vertices = false;
    bool edges = false;
    bool faces = false;
};

PickEligibility EligibleElements(const CCentigrade& scene);

// The 8 × 8 pixel window around client point (x, y) (y down).
PickWindow ClickPickWindow(const CCentigrade& scene, int x, int y);
// The window of the range rectangle; normalises scene.rubberBand in place.
PickWindow RangePickWindow(CCentigrade& scene);

// Every hit record for `window`, in the order the elements are offered: the
// manipulator, then vertices, edges and faces, each object by object. There is
// no limit on the number of records. Hidden faces and the vertices only they
// use are never offered; a range pick takes what lies behind drawn faces too.
std::vector<PickHit> CollectHits(const CCentigrade& scene, const PickWindow& window);
// The same for the element kinds `eligible` names, whatever the tool.
std::vector<PickHit> CollectHits(const CCentigrade& scene, const PickWindow& window,
                                 const PickEligibility& eligible);

// Called with a resolved pick before it is applied: the face tools read the
// face they are about to delete or paint.
using PickInspector = std::function<void(const PickResult&)>;

// What a click in the 3D view does: picks at client point (x, y) (the range
// tool uses rubberBand instead), applies the result to the selection, the
// handle or the face tools, and places the manipulator. True when anything
// was hit.
bool Pick(CCentigrade& scene, int x, int y, const PickInspector& inspect = {});

// Chooses the best hit (vertices before edges before faces, then the smallest
// depth, then the first offered) and the first handle. `records` must not be empty.
PickResult ResolveHits(std::vector<PickHit> records);
