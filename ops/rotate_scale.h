#pragma once

#include "model/mesh_store.h"
#include "model/selection.h"
#include "render/camera.h"

namespace fcw {

// Turns a view-frame point about the depth axis through the model origin; a positive angle
// (radians) turns clockwise on the screen, since z grows downward. Depth is unchanged.
void rotateInScreenPlane(Point3& p, double angle);

enum class RotateKind { VerticesAboutOrigin, TrianglesAboutOrigin, Triangles, Vertices };
enum class ScaleKind { Triangles, Vertices };

// Factors for the view frame's axes: depth (x), horizontal (y), vertical (z).
struct ScaleFactors {
    double depth = 1.0;
    double horizontal = 1.0;
    double vertical = 1.0;
};

// Turns the whole-selected triangles or the listed vertices of the view list in the screen
// plane by angleRadians (positive clockwise), about the model origin or about their own mean
// (centroids for triangles, positions for vertices, each entry counted once); then carries
// the result back to the model list and rebuilds the view list with the camera's angles. The
// selection stays.
void rotateSelection(MeshStore& store, const Selection& selection, RotateKind kind,
                     double angleRadians, const Camera& camera);

// Stretches the whole-selected triangles or the listed vertices of the view list along the
// view's axes about their mean, then carries the result back as rotateSelection does. The
// selection stays.
void scaleSelection(MeshStore& store, const Selection& selection, ScaleKind kind,
                    ScaleFactors factors, const Camera& camera);

} // namespace fcw
