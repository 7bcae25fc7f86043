#pragma once

#include "model/triangle.h"

#include <cstdint>
#include <vector>

namespace fcw {

// Editing never lets the store pass 3000 triangles (lastIndex <= 2999); the arrays have one
// more slot because text import may fill it and compaction loops read one past the end.
inline constexpr int kMaxTriangles = 3000;
inline constexpr int kTriangleSlots = 3001;

enum class RefreshDirection {
    ModelToView, // forward: modelTriangles -> viewTriangles with the camera angles
    ViewToModel, // inverse: viewTriangles -> modelTriangles with the negated angles
};

// The model twice: modelTriangles is the document in model coordinates; viewTriangles holds
// the same triangles in the same order, rotated by the camera angles. Both arrays are
// allocated once, at construction, with all 3001 slots.
struct MeshStore {
    std::int16_t lastIndex = -1; // -1 = empty; count = lastIndex + 1
    std::vector<Triangle> modelTriangles = std::vector<Triangle>(kTriangleSlots);
    std::vector<Triangle> viewTriangles = std::vector<Triangle>(kTriangleSlots);
    // centroid.x of the destination list of the last refreshView, one per live triangle.
    std::vector<double> depthKeys = std::vector<double>(kTriangleSlots, 0.0);
    Triangle scratchTriangle{};

    int count() const { return lastIndex + 1; }

    // Rebuilds destination[0..lastIndex] from source[0..lastIndex] through the source's polar
    // caches (which must be current) and refills depthKeys. verticalAngle rotates about the
    // vertical axis, horizontalAngle about the horizontal one; for ViewToModel pass the camera
    // angles negated. Selection marks of the destination are left alone.
    void refreshView(RefreshDirection direction, double verticalAngle, double horizontalAngle);

    // Forward and inverse refresh with the camera's angles (the inverse negates them).
    void refreshModelToView(double verticalAxisAngle, double horizontalAxisAngle) {
        refreshView(RefreshDirection::ModelToView, verticalAxisAngle, horizontalAxisAngle);
    }
    void refreshViewToModel(double verticalAxisAngle, double horizontalAxisAngle) {
        refreshView(RefreshDirection::ViewToModel, -verticalAxisAngle, -horizontalAxisAngle);
    }

  private:
    // Rotates slots first..last; depthKeys are left to the caller.
    void refreshRange(RefreshDirection direction, double verticalAngle, double horizontalAngle,
                      int first, int last);
};

} // namespace fcw
