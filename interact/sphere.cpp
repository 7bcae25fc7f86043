#include "interact/sphere.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace fcw {

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

class SphereWriter {
  public:
    SphereWriter(MeshStore& store, Colour colour) : store_(store), colour_(colour) {}

    void emit(const Point3& a, const Point3& b, const Point3& c) {
        if (store_.lastIndex >= kTriangleSlots) {
            return; // never past the last slot, whatever the caller checked
        }
        Triangle& t = store_.viewTriangles[static_cast<std::size_t>(store_.lastIndex)];
        t.setVertex(0, a);
        t.setVertex(1, b);
        t.setVertex(2, c);
        t.setColour(colour_);
        t.computePolar();
        t.computeNormal();
        ++store_.lastIndex;
    }

  private:
    MeshStore& store_;
    Colour colour_;
};

} // namespace

int clampSphereMeridians(int n) {
    return std::clamp(n, 3, 32);
}

int clampSphereLatitudes(int m) {
    return std::clamp(m, 4, 32);
}

int sphereTriangleCount(int meridians, int latitudes, bool quadSplit) {
    const int n = clampSphereMeridians(meridians);
    const int m = clampSphereLatitudes(latitudes);
    return quadSplit ? n * (4 * m - 10) : 2 * n * (m - 2);
}

void generateSphere(MeshStore& store, const ModelPoint& start, const ModelPoint& end, int meridians,
                    int latitudes, bool quadSplit, double zoom, Colour colour) {
    const int n = clampSphereMeridians(meridians);
    const int m = clampSphereLatitudes(latitudes);
    ModelPoint s = start;
    ModelPoint e = end;
    if (!(s.z > e.z)) { // s becomes the lower corner on screen
        std::swap(s, e);
    }
    const ModelPoint c{(s.x + e.x) / 2, (s.y + e.y) / 2, (s.z + e.z) / 2};
    const double radius = s.z - c.z;

    const double a = kPi / (m - 1);
    std::vector<double> ringZ(static_cast<std::size_t>(m - 2));
    std::vector<double> ringR(static_cast<std::size_t>(m - 2));
    for (int j = 0; j <= m - 3; ++j) {
        const auto uj = static_cast<std::size_t>(j);
        ringZ[uj] = std::cos((j + 1) * a) * radius + c.z;
        const double dz = ringZ[uj] - c.z;
        ringR[uj] = std::sqrt(radius * radius - dz * dz);
    }
    const double b = kTwoPi / n;

    // A point at azimuth k on a circle of radius r at height z, in model units.
    auto onCircle = [&](double k, double r, double z) {
        double x = c.x - std::sin(k * b) * r;
        if (k == 0.0) {
            // The same tiny amount sin(n * b) contributes at k = n, so the seam closes.
            x -= std::sin((kTwoPi / b) * b) * r;
        }
        const double y = c.y + std::cos(k * b) * r;
        return Point3(x / zoom, y / zoom, z / zoom);
    };
    auto ring = [&](int j, int k) {
        const auto uj = static_cast<std::size_t>(j);
        return onCircle(k, ringR[uj], ringZ[uj]);
    };
    const Point3 lowerPole(c.x / zoom, c.y / zoom, s.z / zoom);
    const Point3 upperPole(c.x / zoom, c.y / zoom, e.z / zoom);

    SphereWriter out(store, colour);
    for (int k = 0; k < n; ++k) {
        out.emit(lowerPole, ring(0, k), ring(0, k + 1));
    }
    for (int j = 1; j <= m - 3; ++j) {
        const auto uj = static_cast<std::size_t>(j);
        for (int k = 0; k < n; ++k) {
            const Point3 pa = ring(j - 1, k);
            const Point3 pa2 = ring(j - 1, k + 1);
            const Point3 pb = ring(j, k);
            const Point3 pb2 = ring(j, k + 1);
            if (!quadSplit) {
                out.emit(pa, pb, pb2);
                out.emit(pa, pb2, pa2);
                continue;
            }
            const double qr = std::cos(b / 2) * (ringR[uj] + ringR[uj - 1]) / 2;
            const double qz = (ringZ[uj] + ringZ[uj - 1]) / 2;
            const Point3 q = onCircle(k + 0.5, qr, qz);
            out.emit(pa, pb, q);
            out.emit(pa, q, pa2);
            out.emit(q, pb, pb2);
            out.emit(pa2, q, pb2);
        }
    }
    for (int k = 0; k < n; ++k) {
        out.emit(upperPole, ring(m - 3, k + 1), ring(m - 3, k));
    }
    --store.lastIndex;
}

} // namespace fcw
