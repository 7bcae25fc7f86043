#pragma once

#include <cmath>
#include <cstdint>

namespace fcw {

// A point or vector in the store's axes: x is depth (toward the viewer), y is horizontal
// (screen x grows with y), z is vertical and grows down the window.
//
// `selected` is the vertex selection mark, not a coordinate. Copy construction copies it;
// the editing code that must keep a destination's mark uses setCoords() instead.
struct Point3 {
    double x = 0.0;
    double y = 200.0;
    double z = 250.0;
    std::int32_t selected = 0;

    Point3() = default;
    constexpr Point3(double px, double py, double pz) : x(px), y(py), z(pz) {}

    // Copies x, y, z only; the destination keeps its own selection mark.
    void setCoords(const Point3& p) {
        x = p.x;
        y = p.y;
        z = p.z;
    }

    Point3& operator+=(const Point3& q) {
        x += q.x;
        y += q.y;
        z += q.z;
        return *this;
    }
    Point3& operator/=(double s) {
        x /= s;
        y /= s;
        z /= s;
        return *this;
    }
    // p += (to - from), component by component.
    void addDifference(const Point3& from, const Point3& to) {
        x += to.x - from.x;
        y += to.y - from.y;
        z += to.z - from.z;
    }
};

// The results below are new points: their selection mark is 0.
inline Point3 operator+(const Point3& p, const Point3& q) {
    return {p.x + q.x, p.y + q.y, p.z + q.z};
}
inline Point3 operator-(const Point3& p, const Point3& q) {
    return {p.x - q.x, p.y - q.y, p.z - q.z};
}
inline Point3 operator*(const Point3& p, double s) {
    return {p.x * s, p.y * s, p.z * s};
}
inline Point3 operator/(const Point3& p, double s) {
    return {p.x / s, p.y / s, p.z / s};
}

// Exact equality of the coordinates, no tolerance; the mark is ignored.
inline bool sameCoords(const Point3& p, const Point3& q) {
    return p.x == q.x && p.y == q.y && p.z == q.z;
}

// (p . q) / (|p| |q|), each length its own square root. NaN for a zero vector.
inline double cosineBetween(const Point3& p, const Point3& q) {
    const double dot = p.x * q.x + p.y * q.y + p.z * q.z;
    const double lp = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
    const double lq = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    return dot / (lp * lq);
}

// The rotation cache of a point: angles and radii in the two planes that contain the depth
// axis. Rotating about the vertical axis adds to angleXY; about the horizontal axis, angleXZ.
struct PolarCache {
    double angleXY = 0.0;  // atan2(x, y), radians
    double angleXZ = 0.0;  // atan2(x, z), radians
    double radiusXY = 0.0; // sqrt(x*x + y*y)
    double radiusXZ = 0.0; // sqrt(x*x + z*z)
};

inline PolarCache polarOf(const Point3& p) {
    return {std::atan2(p.x, p.y), std::atan2(p.x, p.z), std::sqrt(p.x * p.x + p.y * p.y),
            std::sqrt(p.x * p.x + p.z * p.z)};
}

} // namespace fcw
