#pragma once

#include "model/triangle.h"

#include <cstddef>
#include <vector>

namespace fcw {

// Reduces a dense model to at most `maxTriangles` independent triangles through meshoptimizer's
// simplifier, for imports with more triangles than the store holds.
//
// Corners are welded where both position and colour are equal, so a border between colours is
// a border of the mesh: the simplifier moves along it but never across it, every output
// triangle lies inside one region of one colour and takes that colour. The simplifier only
// collapses corners onto other corners of the input, so every output corner is an input
// corner, and the corner order (the facing) of the surviving triangles is kept.
//
// First the simplifier aims at `maxTriangles` within 1 % of the model's size; when the colour
// borders or the topology stop it short, the allowed error is raised step by step, and when
// even that is not enough (a model of countless tiny colour regions) a grid clustering that
// ignores topology does the rest, each of its triangles taking the colour most of its corners
// carry. The result never exceeds `maxTriangles`. Degenerate output triangles are left out.
// A model already within `maxTriangles` is returned as it is (without its degenerate or
// non-finite triangles, which the simplifier could not take either, when it is reduced).
std::vector<TriangleCore> reduceTriangles(const std::vector<TriangleCore>& in,
                                          std::size_t maxTriangles);

} // namespace fcw
