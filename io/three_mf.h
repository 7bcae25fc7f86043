#pragma once

#include "model/triangle.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fcw {

// 3MF packages (the Z-up frame of io/frames.h, millimetres), read and written through lib3mf.

// Files larger than this are refused before they are parsed.
inline constexpr std::uint64_t kMaxThreeMfBytes = 256ull << 20;
// So are packages whose parts unpack to more than this (a small archive can hold a huge model),
// and models with more triangles than kMaxThreeMfTriangles.
inline constexpr std::uint64_t kMaxThreeMfUnpackedBytes = 2ull << 30;
inline constexpr std::size_t kMaxThreeMfTriangles = 10'000'000;

struct ThreeMfRead {
    std::vector<TriangleCore> triangles; // in store axes, scaled
    std::size_t dropped = 0;             // degenerate or non-finite triangles left out
    std::string error;                   // empty on success; otherwise a short Japanese reason
};

// Writes one mesh object in millimetres: a file coordinate is the store coordinate times
// `scale`, in the Z-up frame. Each distinct colour becomes one base material (with its display
// colour) that the triangles name by pid/p1; corners at equal positions share one vertex, so a
// closed model is a closed mesh for slicers. Positions are written in single precision with six
// decimals (1 nm; lib3mf's format), so detail below that is lost at small scales; triangles
// whose corners coincide once written (which 3MF readers would reject) are left out. The file is
// replaced atomically. False, with `error` (when given) set to a Japanese reason, when there is
// nothing to write, the scale is not positive and finite, a coordinate is beyond single precision,
// or the file cannot be written.
bool writeThreeMf(const std::string& path, const std::vector<TriangleCore>& triangles, double scale,
                  std::string* error);

// Reads every build item of a 3MF package (component trees and transforms applied, units
// converted to millimetres; more than 100,000 object placements in all are refused); a store
// coordinate is the file's millimetres times `scale`, as the text import multiplies by its scale.
// Colours come from base materials or colour groups (the first corner's colour of a triangle),
// falling back to the object's default property, else light grey. Never throws; a damaged or
// unreadable file, a scale that is not positive and finite, or a model without a usable triangle
// gives `error` and no triangles.
ThreeMfRead readThreeMf(const std::string& path, double scale);

} // namespace fcw
