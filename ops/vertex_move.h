#pragma once

#include "model/mesh_store.h"
#include "model/selection.h"
#include "render/camera.h"

namespace fcw {

// The user's directions: vertical (stored z, up positive for the user), horizontal (y, right
// positive) and depth (x, far positive).
enum class MoveAxis { Vertical, Horizontal, Depth };

enum class MoveRule {
    Relative, // every listed vertex moves by the value
    Position, // every listed vertex gets the value as its coordinate
    Smallest, // the selection moves so its smallest stored coordinate lands on the value
    Largest,  // ... its largest stored coordinate
    Mean,     // ... the mean of its listed coordinates
    Distance, // every listed vertex gets the value as its distance from the axis, bearing kept
};

struct VertexMove {
    MoveRule rule;
    MoveAxis axis;
};

// Which list the directions are read in: the screen's (the view list, carried back to the
// model) or the model's own axes (the model list, then the view list rebuilt).
enum class MoveFrame { CurrentView, ModelAxes };

// Moves the listed vertices by `move` with the typed value, recomputing each touched
// triangle, then brings the other list in line with the camera's angles. The selection stays
// (the command ends it).
void moveSelectedVertices(MeshStore& store, const Selection& selection, VertexMove move,
                          double value, MoveFrame frame, const Camera& camera);

} // namespace fcw
