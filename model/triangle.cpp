#include "model/triangle.h"

#include "model/numeric.h"

#include <algorithm>

namespace fcw {

void Triangle::assign(const Triangle& src) {
    colour = src.colour;
    for (std::size_t k = 0; k < 3; ++k) {
        v[k].setCoords(src.v[k]);
    }
}

void Triangle::assign(const TriangleCore& src) {
    colour = src.colour;
    for (std::size_t k = 0; k < 3; ++k) {
        v[k].x = src.v[k][0];
        v[k].y = src.v[k][1];
        v[k].z = src.v[k][2];
    }
}

void Triangle::computeNormal() {
    const double e1x = v[1].x - v[0].x;
    const double e1y = v[1].y - v[0].y;
    const double e1z = v[1].z - v[0].z;
    const double e2x = v[2].x - v[0].x;
    const double e2y = v[2].y - v[0].y;
    const double e2z = v[2].z - v[0].z;
    normal.x = e2z * e1y - e2y * e1z;
    normal.y = e2x * e1z - e2z * e1x;
    normal.z = e2y * e1x - e2x * e1y;
    inverseNormalX = normal.x != 0.0 ? 1.0 / normal.x : kInverseOfZero;
    planeD = -(normal.z * v[0].z + normal.y * v[0].y + normal.x * v[0].x);
}

void Triangle::computePolar() {
    for (std::size_t k = 0; k < 3; ++k) {
        vertexPolar[k] = polarOf(v[k]);
    }
    // Multiplication by the double nearest 1/3, not division by 3: the last bit matters to
    // anything that compares centroids or sorts by them.
    constexpr double kThird = 0.3333333333333333;
    centroid.x = ((v[0].x + v[1].x) + v[2].x) * kThird;
    centroid.y = ((v[0].y + v[1].y) + v[2].y) * kThird;
    centroid.z = ((v[0].z + v[1].z) + v[2].z) * kThird;
    centroidPolar = polarOf(centroid);
}

void Triangle::reverseWinding() {
    const Point3 saved = v[2];
    v[2].setCoords(v[1]);
    v[1].setCoords(saved);
    computeNormal();
    computePolar();
}

void Triangle::translateBy(const Point3& from, const Point3& to) {
    for (auto& p : v) {
        p.addDifference(from, to);
    }
}

int Triangle::selectedVertexCount() const {
    int n = 0;
    for (const auto& p : v) {
        n += p.selected != 0 ? 1 : 0;
    }
    return n;
}

void Triangle::shade(double brightness) {
    const Point3 light(1.0, 1.0, -1.0); // toward the viewer, right, up
    double c = cosineBetween(light, normal);
    if (std::isnan(c)) { // zero normal: no lighting
        shadedColour = colour;
        return;
    }
    const std::uint32_t r = colour & 0xFFu;
    const std::uint32_t g = (colour >> 8) & 0xFFu;
    const std::uint32_t b = (colour >> 16) & 0xFFu;
    // Each channel step is truncated toward zero and only its low byte kept; the three steps
    // are then added to (or subtracted from) the colour as one 32-bit value.
    auto step = [&](double amount) {
        return static_cast<std::uint32_t>(truncToInt32(amount)) & 0xFFu;
    };
    if (c > 0.0) {
        const std::uint32_t inc = step((255.0 - b) * c * brightness) * 65536u +
                                  step((255.0 - g) * c * brightness) * 256u +
                                  step((255.0 - r) * c * brightness);
        shadedColour = colour + inc;
    } else {
        c = -c;
        const std::uint32_t dec = step(b * c * brightness) * 65536u +
                                  step(g * c * brightness) * 256u + step(r * c * brightness);
        shadedColour = colour - dec;
    }
}

void Triangle::computeScreenExtent(double zoom, double centreX, double centreY) {
    std::int32_t sx[3];
    std::int32_t sy[3];
    for (std::size_t k = 0; k < 3; ++k) {
        sx[k] = truncToInt32(v[k].y * zoom + centreX);
        sy[k] = truncToInt32(v[k].z * zoom + centreY);
    }
    screenLeft = std::min({sx[0], sx[1], sx[2]});
    screenRight = std::max({sx[0], sx[1], sx[2]});
    screenTop = std::min({sy[0], sy[1], sy[2]});
    screenBottom = std::max({sy[0], sy[1], sy[2]});
}

} // namespace fcw
