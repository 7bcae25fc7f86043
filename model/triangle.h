#pragma once

#include "model/point3.h"

#include <array>
#include <cstdint>

namespace fcw {

// Colours are 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;

// The part of a triangle that the document, undo history and clipboard keep: the colour and
// the nine coordinates. Everything else in Triangle is derived from it.
struct TriangleCore {
    Colour colour = 0;
    std::array<std::array<double, 3>, 3> v{}; // v[k] = {x, y, z}
};

// The same colour and corners in the same order.
inline bool sameCore(const TriangleCore& a, const TriangleCore& b) {
    return a.colour == b.colour && a.v == b.v;
}

// One facet with its derived values. The derived fields are recomputed by computeNormal()
// and computePolar(); nothing recomputes them implicitly.
struct Triangle {
    Colour colour = 0;
    Colour shadedColour = 0; // colour after lighting, see shade()
    // Pixel bounding box of the projected vertices (computeScreenExtent).
    std::int32_t screenLeft = 0;
    std::int32_t screenTop = 0;
    std::int32_t screenRight = 0;
    std::int32_t screenBottom = 0;
    std::array<Point3, 3> v{};   // order fixes the winding and so the normal's sign
    Point3 normal{};             // (v1 - v0) x (v2 - v0), never normalised: length = 2 * area
    double planeD = 0.0;         // plane: normal . p + planeD = 0
    double inverseNormalX = 0.0; // 1 / normal.x, or exactly 1.0e18 when normal.x == 0
    std::array<PolarCache, 3> vertexPolar{};
    Point3 centroid{};
    PolarCache centroidPolar{};

    static constexpr double kInverseOfZero = 1.0e18;

    // Triangle "assignment" as the editor uses it: colour and vertex coordinates only. The
    // destination keeps its selection marks and its (now stale) derived fields.
    void assign(const Triangle& src);
    void assign(const TriangleCore& src);
    // Inline: the panes compare whole models core by core before every paint.
    TriangleCore core() const {
        TriangleCore c;
        c.colour = colour;
        for (std::size_t k = 0; k < 3; ++k) {
            c.v[k] = {v[k].x, v[k].y, v[k].z};
        }
        return c;
    }

    // Writes v[i]'s coordinates; the mark and the derived fields are left alone.
    void setVertex(int i, const Point3& p) { v[static_cast<std::size_t>(i)].setCoords(p); }
    Point3 getVertex(int i) const { return v[static_cast<std::size_t>(i)]; }
    void setColour(Colour c) { colour = c; }
    Colour getColour() const { return colour; }

    // normal, then inverseNormalX, then planeD.
    void computeNormal();
    // vertexPolar[0..2], then centroid, then centroidPolar.
    void computePolar();
    // Swaps the coordinates of v[1] and v[2] (marks stay in their slots), then recomputes the
    // normal and the polar data.
    void reverseWinding();
    // Adds (to - from) to every vertex.
    void translateBy(const Point3& from, const Point3& to);
    int selectedVertexCount() const;
    // Lights the colour from the front, right and top; brightness is 0..1 in normal use.
    void shade(double brightness);
    // Projects the three vertices with the given zoom and origin position and stores their
    // pixel bounding box. Pixel positions are truncated toward zero.
    void computeScreenExtent(double zoom, double centreX, double centreY);
};

} // namespace fcw
