#pragma once

#include "interact/model_point.h"
#include "interact/snap_settings.h"
#include "model/mesh_store.h"
#include "render/camera.h"
#include "render/view_options.h"

#include <cstdint>
#include <optional>

namespace fcw {

// Grid rounding works on integers in millionths of a pixel (micro-pixels). All arithmetic is
// 64-bit, which gives the same results as 32 bits wherever 32 bits suffice and never overflows
// for pixel positions a window can have. Remainders take the sign of the dividend.
inline constexpr std::int64_t kMicroPixelsPerPixel = 1000000;

// The grid step in micro-pixels for a spacing in model units: trunc(spacing * 1e6 * zoom),
// or 0 when that is not a usable number.
std::int64_t gridStepMicroPixels(int spacing, double zoom);

bool anyGridSnap(const SnapSettings& snap);

// The nearest committed vertex (triangles 0 .. lastIndex-1; the provisional triangle at
// lastIndex is no candidate) to a click, by screen distance plus a small depth term, in model
// coordinates; nothing when there is no candidate. Ties keep the earlier vertex.
std::optional<Point3> nearestCommittedVertex(const MeshStore& store, const Camera& camera,
                                             const ModelPoint& click, PixelPoint clickPixel);

// The same as zoom times that vertex (pixel scale). Dividing by the zoom need not give the
// vertex back exactly (12.34 * 1.1 / 1.1 is 12.340000000000002): whoever stores a snapped
// vertex takes it from nearestCommittedVertex. With no candidate the point comes back
// unchanged.
ModelPoint snapToVertex(const MeshStore& store, const Camera& camera, const ModelPoint& click,
                        PixelPoint clickPixel);

// Moves a pixel point onto the projection of the nearest vertex, for the painter's preview of
// where a click would land. Searches triangles 0 .. n-1 with n = lastIndex+1 while idle and
// lastIndex while an operation is under way; with no candidate the point is unchanged.
void previewVertexSnap(const MeshStore& store, const Camera& camera, int editPhase,
                       PixelPoint& point);

// The model point of a click moved to the nearest grid intersection (exactly half a step goes
// to the larger coordinate), or nothing when no spacing flag is set or the step is below 4
// micro-pixels. The click's pixel position itself is not changed.
std::optional<ModelPoint> snapClickToGrid(const Camera& camera, const ViewOptions& view,
                                          PixelPoint click);

// Rounds an integer pixel position to the grid, cutting the correction to whole pixels. Acts
// only when some click snaps to the grid; with no spacing flag the step is one model unit.
void roundPointToGrid(const Camera& camera, const ViewOptions& view, const SnapSettings& snap,
                      PixelPoint& point);

// Rounds a pixel displacement to a multiple of the grid step measured from zero, keeping its
// sign. Acts only when some click snaps to the grid and a spacing flag is set.
void roundOffsetToGrid(const Camera& camera, const ViewOptions& view, const SnapSettings& snap,
                       PixelPoint& offset);

// The snap and grid choices. Turning a snap on for a click turns the other kind off for it.
void toggleVertexSnap(SnapSettings& snap, int point);
void toggleGridSnap(SnapSettings& snap, int point);
void toggleAllVertexSnap(SnapSettings& snap);
void toggleAllGridSnap(SnapSettings& snap);
bool allVertexSnap(const SnapSettings& snap);
bool allGridSnap(const SnapSettings& snap);
// Toggles one grid spacing (5, 10, 20 or 40); turning it on clears the others.
void toggleGridSpacing(ViewOptions& view, int spacing);
bool gridSpacingIs(const ViewOptions& view, int spacing);

} // namespace fcw
