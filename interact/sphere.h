#pragma once

#include "interact/model_point.h"
#include "model/mesh_store.h"

namespace fcw {

// Division counts the generator accepts: meridians 3..32, latitude lines (poles included)
// 4..32. Values from an edited profile are clamped into these ranges.
int clampSphereMeridians(int n);
int clampSphereLatitudes(int m);

// Triangles a sphere adds: 2n(m - 2) plain, n(4m - 10) with each quadrilateral split in four.
int sphereTriangleCount(int meridians, int latitudes, bool quadSplit);

// Fills viewTriangles from slot lastIndex on (the slot the sphere tool reserved) with a sphere
// whose vertical diameter is the drag's height, centred on the drag's centre; `start` and `end`
// are the drag corners (depth, horizontal, vertical) in pixels relative to the origin's window
// position. Leaves lastIndex at the last triangle written. Counts are clamped as above; the
// caller has checked the capacity, and no slot past the store's last is ever written. The
// caller rebuilds the model list afterwards.
void generateSphere(MeshStore& store, const ModelPoint& start, const ModelPoint& end, int meridians,
                    int latitudes, bool quadSplit, double zoom, Colour colour);

} // namespace fcw
