#include "ops/symmetry.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace fcw {

namespace {

using Corner = std::array<double, 3>;

std::size_t axisOf(MirrorPlane plane) {
    switch (plane) {
    case MirrorPlane::UpDown:
        return 2;
    case MirrorPlane::FrontBack:
        return 0;
    case MirrorPlane::LeftRight:
        break;
    }
    return 1;
}

// The corners sorted, with the colour: equal for two triangles with the same corners.
using ShapeKey = std::tuple<Colour, std::array<Corner, 3>>;

ShapeKey shapeKey(const TriangleCore& t) {
    std::array<Corner, 3> c = t.v;
    std::sort(c.begin(), c.end());
    return {t.colour, c};
}

// -1, 0 or +1: the side of the plane the triangle lies on, by its corners; 0 for one within
// the tolerance of the plane or across it.
int sideOf(const TriangleCore& t, MirrorPlane plane) {
    bool plus = false;
    bool minus = false;
    for (const Corner& c : t.v) {
        const double d = planeDistance(c, plane);
        plus = plus || d > kSeamTolerance;
        minus = minus || d < -kSeamTolerance;
    }
    return plus == minus ? 0 : (plus ? 1 : -1);
}

void putOnPlane(Corner& c, MirrorPlane plane) {
    c[axisOf(plane)] = 0.0;
}

void snapToSeam(TriangleCore& t, MirrorPlane plane) {
    for (Corner& c : t.v) {
        if (std::abs(planeDistance(c, plane)) <= kSeamTolerance) {
            putOnPlane(c, plane);
        }
    }
}

// The seam rules for the corners an edit moved: one on the plane stays on it, one moved across
// stops on it. A triangle whose corners only changed order (turned over) is left alone.
void keepSeam(const TriangleCore& before, TriangleCore& after, MirrorPlane plane) {
    if (shapeKey(before) == shapeKey(after)) {
        return;
    }
    for (std::size_t k = 0; k < 3; ++k) {
        const double was = planeDistance(before.v[k], plane);
        const double now = planeDistance(after.v[k], plane);
        if (before.v[k] == after.v[k]) {
            continue;
        }
        if (std::abs(was) <= kSeamTolerance || (was > 0 && now < 0) || (was < 0 && now > 0)) {
            putOnPlane(after.v[k], plane);
        }
    }
}

// A triangle that was its own mirror image: the partner of each corner the edit moved follows
// it (the + side's corner wins when both moved).
void keepOwnMirror(const TriangleCore& before, TriangleCore& after, MirrorPlane plane) {
    for (std::size_t k = 0; k < 3; ++k) {
        for (std::size_t m = k + 1; m < 3; ++m) {
            if (before.v[m] != mirrored(before.v[k], plane)) {
                continue;
            }
            const bool movedK = after.v[k] != before.v[k];
            const bool movedM = after.v[m] != before.v[m];
            const bool kWins = movedK && (!movedM || planeDistance(before.v[k], plane) > 0);
            if (kWins) {
                after.v[m] = mirrored(after.v[k], plane);
            } else if (movedM) {
                after.v[k] = mirrored(after.v[m], plane);
            }
        }
    }
}

// The removal of triangles keeping the others in order: `kept[a]` is the index in `before`
// of after[a]. False when `after` is not such a removal.
bool matchRemoval(std::span<const TriangleCore> before, std::span<const TriangleCore> after,
                  std::vector<int>& kept) {
    std::size_t b = 0;
    for (const TriangleCore& t : after) {
        while (b < before.size() && !sameCore(before[b], t)) {
            ++b;
        }
        if (b == before.size()) {
            return false;
        }
        kept.push_back(static_cast<int>(b++));
    }
    return true;
}

// The partners of removed triangles that stayed, as indices of `after`.
std::vector<int> partnersOfRemoved(std::span<const TriangleCore> before, MirrorPlane plane,
                                   const std::vector<int>& kept) {
    const std::vector<int> partner = mirrorPartners(before, plane);
    std::vector<int> afterOf(before.size(), -1);
    for (std::size_t a = 0; a < kept.size(); ++a) {
        afterOf[static_cast<std::size_t>(kept[a])] = static_cast<int>(a);
    }
    std::vector<int> out;
    for (std::size_t b = 0; b < before.size(); ++b) {
        const int p = partner[b];
        if (afterOf[b] < 0 && p >= 0 && afterOf[static_cast<std::size_t>(p)] >= 0) {
            out.push_back(afterOf[static_cast<std::size_t>(p)]);
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// Triangles changed in place, then those appended.
void followInPlace(std::span<const TriangleCore> before, std::vector<TriangleCore>& after,
                   MirrorPlane plane, SymmetricEdit& out) {
    const std::size_t n = before.size();
    std::vector<bool> changed(n);
    for (std::size_t i = 0; i < n; ++i) {
        changed[i] = !sameCore(before[i], after[i]);
        if (changed[i]) {
            keepSeam(before[i], after[i], plane);
        }
    }
    const std::vector<int> partner = mirrorPartners(before, plane);
    for (std::size_t i = 0; i < n; ++i) {
        const int p = partner[i];
        if (!changed[i]) {
            continue;
        }
        if (p < 0) { // it crossed the plane without a partner
            if (!crossesPlane(after[i], plane) && !isOwnMirror(after[i], plane)) {
                out.add.push_back(mirrored(after[i], plane));
            }
            continue;
        }
        const auto j = static_cast<std::size_t>(p);
        if (j == i) {
            keepOwnMirror(before[i], after[i], plane);
        } else if (!changed[j] || sideOf(before[i], plane) > 0 ||
                   (sideOf(before[j], plane) <= 0 && i < j)) {
            after[j] = mirrored(after[i], plane);
        }
    }
    std::map<ShapeKey, int> appended;
    for (std::size_t i = n; i < after.size(); ++i) {
        snapToSeam(after[i], plane);
        ++appended[shapeKey(after[i])];
    }
    for (std::size_t i = n; i < after.size(); ++i) {
        if (isOwnMirror(after[i], plane)) {
            continue;
        }
        const TriangleCore image = mirrored(after[i], plane);
        // A pair that came in together (a paste, both halves of a split) is already whole.
        if (auto it = appended.find(shapeKey(image)); it != appended.end() && it->second > 0) {
            --it->second;
            continue;
        }
        out.add.push_back(image);
    }
}

} // namespace

double planeDistance(const Corner& p, MirrorPlane plane) {
    return p[axisOf(plane)];
}

Corner mirrored(const Corner& p, MirrorPlane plane) {
    Corner m = p;
    m[axisOf(plane)] = 0.0 - p[axisOf(plane)];
    return m;
}

TriangleCore mirrored(const TriangleCore& t, MirrorPlane plane) {
    return {t.colour, {mirrored(t.v[0], plane), mirrored(t.v[2], plane), mirrored(t.v[1], plane)}};
}

bool crossesPlane(const TriangleCore& t, MirrorPlane plane) {
    bool plus = false;
    bool minus = false;
    for (const Corner& c : t.v) {
        plus = plus || planeDistance(c, plane) > kSeamTolerance;
        minus = minus || planeDistance(c, plane) < -kSeamTolerance;
    }
    return plus && minus && !isOwnMirror(t, plane);
}

bool isOwnMirror(const TriangleCore& t, MirrorPlane plane) {
    return shapeKey(t) == shapeKey(mirrored(t, plane));
}

std::vector<int> mirrorPartners(std::span<const TriangleCore> model, MirrorPlane plane) {
    std::vector<int> partner(model.size(), -1);
    std::map<ShapeKey, std::vector<int>> waiting; // unpaired triangles by shape
    for (std::size_t i = 0; i < model.size(); ++i) {
        if (isOwnMirror(model[i], plane)) {
            partner[i] = static_cast<int>(i);
            continue;
        }
        auto it = waiting.find(shapeKey(mirrored(model[i], plane)));
        if (it != waiting.end() && !it->second.empty()) {
            const int j = it->second.back();
            it->second.pop_back();
            partner[i] = j;
            partner[static_cast<std::size_t>(j)] = static_cast<int>(i);
        } else {
            waiting[shapeKey(model[i])].push_back(static_cast<int>(i));
        }
    }
    return partner;
}

std::vector<TriangleCore> mirrorPlusSide(std::span<const TriangleCore> model, MirrorPlane plane,
                                         int& crossing) {
    crossing = 0;
    std::vector<TriangleCore> out;
    std::vector<TriangleCore> images;
    for (TriangleCore t : model) {
        snapToSeam(t, plane);
        const int side = sideOf(t, plane);
        if (side < 0) {
            continue;
        }
        out.push_back(t);
        if (side > 0) {
            images.push_back(mirrored(t, plane));
        } else if (!isOwnMirror(t, plane)) {
            ++crossing; // across the plane: kept as it is
        }
    }
    out.insert(out.end(), images.begin(), images.end());
    return out;
}

SymmetricEdit followSymmetry(std::span<const TriangleCore> before, std::vector<TriangleCore>& after,
                             MirrorPlane plane) {
    SymmetricEdit out;
    if (after.size() < before.size()) {
        std::vector<int> kept;
        if (matchRemoval(before, after, kept)) {
            out.removeAfter = partnersOfRemoved(before, plane, kept);
            return out;
        }
    } else {
        followInPlace(before, after, plane, out);
        return out;
    }
    int crossing = 0;
    after = mirrorPlusSide(after, plane, crossing);
    out.rebuilt = true;
    return out;
}

} // namespace fcw
