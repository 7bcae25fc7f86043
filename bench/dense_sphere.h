#pragma once

#include "io/frames.h"
#include "model/triangle.h"

#include <cmath>
#include <vector>

namespace fcw {

// The dense model of the benchmarks and the reduction tests.
// A sphere of radius `radius` about the origin: each face of an octahedron cut into
// frequency^2 triangles (8 * 50^2 = 20,000 at frequency 50), its points pushed out onto the
// sphere. Points are made from whole-number octahedron coordinates, so a point shared by two
// faces is bit for bit the same in both, and the equator z = 0 is an edge loop. Triangles face
// outward; those with z > 0 take `upper`, the rest `lower`.
inline std::vector<TriangleCore> denseSphere(int frequency, double radius, Colour upper,
                                             Colour lower) {
    std::vector<TriangleCore> out;
    const auto point = [&](int a, int b, int c) {
        const double x = a, y = b, z = c;
        const double r = std::sqrt(x * x + y * y + z * z);
        return Vec3{x / r * radius, y / r * radius, z / r * radius};
    };
    for (const int sx : {1, -1}) {
        for (const int sy : {1, -1}) {
            for (const int sz : {1, -1}) {
                const int k = frequency;
                const auto at = [&](int i, int j) {
                    return point(sx * (k - i - j), sy * i, sz * j);
                };
                const auto add = [&](Vec3 p, Vec3 q, Vec3 r) {
                    TriangleCore t;
                    t.colour = sz > 0 ? upper : lower;
                    t.v = {p, q, r};
                    const Vec3 n = faceNormal(t.v);
                    if (n[0] * p[0] + n[1] * p[1] + n[2] * p[2] < 0)
                        std::swap(t.v[1], t.v[2]);
                    out.push_back(t);
                };
                for (int i = 0; i < k; ++i) {
                    for (int j = 0; i + j < k; ++j) {
                        add(at(i, j), at(i + 1, j), at(i, j + 1));
                        if (i + j < k - 1)
                            add(at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
                    }
                }
            }
        }
    }
    return out;
}

} // namespace fcw
