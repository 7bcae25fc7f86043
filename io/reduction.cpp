#include "io/reduction.h"

#include "io/frames.h"
#include "model/numeric.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <iterator>
#include <unordered_map>

namespace fcw {

namespace {

// The errors the simplifier may use, relative to the model's size: 1 % keeps the outline;
// the larger ones are taken only when the smaller ones leave too many triangles.
constexpr std::array<float, 6> kErrorSteps{0.01f, 0.02f, 0.05f, 0.1f, 0.25f, 1.0f};

struct Corner {
    Vec3 p{};
    Colour colour = 0;
    bool operator==(const Corner&) const = default;
};

struct CornerHash {
    std::size_t operator()(const Corner& c) const {
        std::size_t h = c.colour;
        for (const double d : c.p)
            h = h * 0x9E3779B97F4A7C15ull + std::bit_cast<std::uint64_t>(d);
        return h ^ (h >> 29);
    }
};

// The input as an indexed mesh: one vertex per distinct (position, colour).
struct WeldedMesh {
    std::vector<Vec3> positions; // the input's own coordinates, returned unchanged
    std::vector<Colour> colours;
    std::vector<float> floats; // x, y, z per vertex for the simplifier, about the centre
    std::vector<unsigned int> indices;
};

bool usable(const TriangleCore& t) {
    for (const auto& corner : t.v)
        for (const double c : corner)
            if (!isStorableCoordinate(c))
                return false;
    const Vec3 n = faceNormal({t.v[0], t.v[1], t.v[2]});
    return n != Vec3{0.0, 0.0, 0.0} && std::isfinite(n[0] + n[1] + n[2]);
}

WeldedMesh weld(const std::vector<TriangleCore>& in) {
    WeldedMesh mesh;
    std::unordered_map<Corner, unsigned int, CornerHash> index;
    index.reserve(in.size() * 3);
    for (const TriangleCore& t : in) {
        if (!usable(t))
            continue;
        for (const auto& v : t.v) {
            Corner c{v, t.colour};
            for (double& d : c.p)
                d = d == 0.0 ? 0.0 : d; // -0 and +0 are one position
            const auto [it, added] =
                index.try_emplace(c, static_cast<unsigned int>(mesh.positions.size()));
            if (added) {
                mesh.positions.push_back(c.p);
                mesh.colours.push_back(c.colour);
            }
            mesh.indices.push_back(it->second);
        }
    }
    // Single precision about the centre of the bounding box, so a model far from the origin
    // keeps its detail. Equal doubles give equal floats, which is how the simplifier finds the
    // corners that a colour border splits.
    Vec3 low{HUGE_VAL, HUGE_VAL, HUGE_VAL};
    Vec3 high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    for (const Vec3& p : mesh.positions) {
        for (std::size_t a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], p[a]);
            high[a] = std::max(high[a], p[a]);
        }
    }
    mesh.floats.reserve(mesh.positions.size() * 3);
    for (const Vec3& p : mesh.positions)
        for (std::size_t a = 0; a < 3; ++a)
            mesh.floats.push_back(static_cast<float>(p[a] - (low[a] * 0.5 + high[a] * 0.5)));
    return mesh;
}

// The colour most of the corners carry; the first corner's when all three differ.
Colour majorityColour(const WeldedMesh& mesh, const unsigned int* corner) {
    const Colour a = mesh.colours[corner[0]];
    const Colour b = mesh.colours[corner[1]];
    const Colour c = mesh.colours[corner[2]];
    return (b == c && a != b) ? b : a;
}

double area2(const TriangleCore& t) {
    const Vec3 n = faceNormal({t.v[0], t.v[1], t.v[2]});
    return std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
}

// Independent triangles from an index list, without degenerate ones, at most maxTriangles
// (the largest kept, should a step ever return more than it was asked for).
std::vector<TriangleCore> expand(const WeldedMesh& mesh, const std::vector<unsigned int>& indices,
                                 std::size_t indexCount, std::size_t maxTriangles) {
    std::vector<TriangleCore> out;
    out.reserve(indexCount / 3);
    for (std::size_t i = 0; i + 2 < indexCount; i += 3) {
        TriangleCore t;
        t.colour = majorityColour(mesh, &indices[i]);
        for (std::size_t k = 0; k < 3; ++k)
            t.v[k] = mesh.positions[indices[i + k]];
        if (usable(t))
            out.push_back(t);
    }
    if (out.size() > maxTriangles) {
        std::stable_sort(out.begin(), out.end(), [](const TriangleCore& x, const TriangleCore& y) {
            return area2(x) > area2(y);
        });
        out.resize(maxTriangles);
    }
    return out;
}

// The largest usable triangles of the input, unchanged: the way out when the simplifier
// finds nothing to keep (a model of many small, unconnected pieces collapses within any error
// measured against its size, yet its owner expects to see it).
std::vector<TriangleCore> largestOf(const std::vector<TriangleCore>& in, std::size_t maxTriangles) {
    std::vector<TriangleCore> out;
    std::copy_if(in.begin(), in.end(), std::back_inserter(out), usable);
    std::stable_sort(out.begin(), out.end(), [](const TriangleCore& x, const TriangleCore& y) {
        return area2(x) > area2(y);
    });
    out.resize(std::min(out.size(), maxTriangles));
    return out;
}

std::vector<TriangleCore> simplify(const std::vector<TriangleCore>& in, std::size_t maxTriangles) {
    const WeldedMesh mesh = weld(in);
    const std::size_t targetIndices = maxTriangles * 3;
    if (mesh.indices.size() <= targetIndices)
        return expand(mesh, mesh.indices, mesh.indices.size(), maxTriangles);

    std::vector<unsigned int> reduced(mesh.indices.size());
    // Within one colour region the simplifier keeps every triangle's corners in that region,
    // so the majority colour of expand() is the region's colour on this path.
    for (const float error : kErrorSteps) {
        const std::size_t count = meshopt_simplify(
            reduced.data(), mesh.indices.data(), mesh.indices.size(), mesh.floats.data(),
            mesh.positions.size(), sizeof(float) * 3, targetIndices, error, 0, nullptr);
        if (count <= targetIndices)
            return expand(mesh, reduced, count, maxTriangles);
    }
    const std::size_t count = meshopt_simplifySloppy(
        reduced.data(), mesh.indices.data(), mesh.indices.size(), mesh.floats.data(),
        mesh.positions.size(), sizeof(float) * 3, targetIndices, 1.0f, nullptr);
    return expand(mesh, reduced, count, maxTriangles);
}

} // namespace

std::vector<TriangleCore> reduceTriangles(const std::vector<TriangleCore>& in,
                                          std::size_t maxTriangles) {
    if (in.size() <= maxTriangles)
        return in;
    if (maxTriangles == 0)
        return {};
    std::vector<TriangleCore> out = simplify(in, maxTriangles);
    return out.empty() ? largestOf(in, maxTriangles) : out;
}

} // namespace fcw
