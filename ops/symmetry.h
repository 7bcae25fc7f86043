#pragma once

#include "model/triangle.h"

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace fcw {

// The plane a symmetric model is mirrored in, through the origin.
enum class MirrorPlane : std::int8_t {
    LeftRight = 0, // y = 0
    UpDown = 1,    // z = 0
    FrontBack = 2, // x = 0
};

// A corner this close to the plane lies on it.
inline constexpr double kSeamTolerance = 1e-9;

// The signed distance of p from the plane, and p reflected in it (the distance negated as
// 0 - d, so a corner on the plane keeps +0).
double planeDistance(const std::array<double, 3>& p, MirrorPlane plane);
std::array<double, 3> mirrored(const std::array<double, 3>& p, MirrorPlane plane);
// The triangle reflected, its corners in reverse order so that it faces the mirrored way.
TriangleCore mirrored(const TriangleCore& t, MirrorPlane plane);
// Whether the reflection has the same corners (in any order) and colour.
bool isOwnMirror(const TriangleCore& t, MirrorPlane plane);

// Whether the triangle has corners on both sides of the plane (beyond the tolerance) without
// being its own mirror image.
bool crossesPlane(const TriangleCore& t, MirrorPlane plane);

// For each triangle the index of its mirror image, paired one to one: its own index for a
// triangle that is its own mirror image, -1 for one without.
std::vector<int> mirrorPartners(std::span<const TriangleCore> model, MirrorPlane plane);

// The model made symmetric from its + side: the triangles on the + side (corners within the
// tolerance of the plane put exactly on it) with their mirror images, the triangles that are
// their own mirror image, and those that cross the plane without being one, kept as they are
// and counted in `crossing`. The − side goes.
std::vector<TriangleCore> mirrorPlusSide(std::span<const TriangleCore> model, MirrorPlane plane,
                                         int& crossing);

// What an edit of a symmetric model needs to stay symmetric.
struct SymmetricEdit {
    std::vector<int> removeAfter;  // these triangles of `after` go (ascending)
    std::vector<TriangleCore> add; // and these are appended
    bool rebuilt = false;          // the edit could not be followed: `after` was replaced whole
};

// Brings `after`, the model an edit made of the symmetric `before`, back to symmetry, keeping
// the places of its triangles where it can:
//   - a triangle changed in place (same count) changes its mirror partner to its own mirror
//     image; when both changed, the one on the + side wins. A triangle that is its own mirror
//     image gets its corners' partners moved within it;
//   - a corner on the plane stays exactly on it; a corner moved across it stops on it;
//   - triangles removed (the others in order) take their partners with them;
//   - triangles appended get their mirror images appended, unless they are their own or
//     their mirror images came with them;
//   - any other edit: the model is made symmetric from its + side (mirrorPlusSide).
SymmetricEdit followSymmetry(std::span<const TriangleCore> before, std::vector<TriangleCore>& after,
                             MirrorPlane plane);

} // namespace fcw
