#include "editor/commands/commands.h"
#include "test_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace fcw {
namespace {

using testing::appendTriangle;
using testing::FakeHost;
using Tri = std::array<Point3, 3>;

Point3 crossOf(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dotOf(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
// Which way the triangle faces seen from `centre`: +1 away from it, -1 toward it, 0 edge-on.
int facingFrom(const Tri& t, const Point3& centre) {
    const Point3 n = crossOf(t[1] - t[0], t[2] - t[0]);
    const double d = dotOf(n, (t[0] + t[1] + t[2]) / 3.0 - centre);
    return d > 0 ? 1 : (d < 0 ? -1 : 0);
}
Tri turned(const Tri& t) {
    return {t[0], t[2], t[1]};
}
// The triangle wound to face away from `centre`, or toward it when `inward`.
Tri facing(const Tri& t, const Point3& centre, bool inward = false) {
    return (facingFrom(t, centre) > 0) != inward ? t : turned(t);
}

// A tetrahedron at `o`, its faces outward but for those listed in `inward`.
std::vector<Tri> tetrahedron(Point3 o, std::vector<int> inward) {
    const Point3 p[4] = {o, o + Point3(10, 0, 0), o + Point3(0, 10, 0), o + Point3(0, 0, 10)};
    const Point3 centre = (p[0] + p[1] + p[2] + p[3]) / 4.0;
    std::vector<Tri> out;
    const int faces[4][3] = {{0, 1, 2}, {0, 1, 3}, {0, 2, 3}, {1, 2, 3}};
    for (int f = 0; f < 4; ++f) {
        const bool in = std::find(inward.begin(), inward.end(), f) != inward.end();
        out.push_back(facing({p[faces[f][0]], p[faces[f][1]], p[faces[f][2]]}, centre, in));
    }
    return out;
}

// Four sloping faces over a square, no floor: two of them turned under.
std::vector<Tri> roof() {
    const Point3 apex(0, 0, -6); // z grows down the window: the apex is up
    const Point3 c[4] = {{-10, -10, 0}, {10, -10, 0}, {10, 10, 0}, {-10, 10, 0}};
    const Point3 below(0, 0, 20);
    std::vector<Tri> out;
    for (int k = 0; k < 4; ++k) {
        out.push_back(facing({apex, c[k], c[(k + 1) % 4]}, below, k % 2 == 1));
    }
    return out;
}

// A square and a small triangle beside it in the plane x = 0: the large half of the square
// stands, the others are turned the other way.
std::vector<Tri> flatPart() {
    const Point3 a(0, 0, 0), b(0, 20, 0), c(0, 20, 20), d(0, 0, 21), e(0, 25, 10);
    return {{b, c, e}, {b, d, c}, {a, b, d}}; // the walk starts from a small one
}

// A band with a half twist, in six segments: no winding is consistent around it.
std::vector<Tri> twistedBand() {
    std::vector<Point3> rail[2];
    for (int i = 0; i <= 6; ++i) {
        const double t = 2 * std::numbers::pi * i / 6;
        for (int s = 0; s < 2; ++s) {
            const double w = s == 0 ? 5 : -5;
            const double r = 20 + w * std::cos(t / 2);
            rail[s].push_back({r * std::cos(t), r * std::sin(t), w * std::sin(t / 2)});
        }
    }
    std::vector<Tri> out;
    for (std::size_t i = 0; i < 6; ++i) {
        out.push_back({rail[0][i], rail[1][i], rail[1][i + 1]});
        out.push_back({rail[0][i], rail[1][i + 1], rail[0][i + 1]});
    }
    return out;
}

std::vector<Tri> joined(std::vector<Tri> a, const std::vector<Tri>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct Case {
    const char* name;
    std::vector<Tri> model;
    int command;
    int selectUpTo; // whole triangles 0 .. selectUpTo selected; -1 for none
    int turnedCount;
    int leftAlone;
    // After the command: which way each triangle faces from `centre` (0: not checked).
    Point3 centre;
    std::vector<int> faces;
};

// The selection stays, the listed triangles face as the case says, the others stay as they
// were, and the colour stays with its triangle.
void checkOutcome(const Editor& e, const Case& c) {
    EXPECT_EQ(e.document.selection.count(), 3 * (c.selectUpTo + 1));
    const auto& model = e.document.store.modelTriangles;
    for (std::size_t t = 0; t < c.faces.size(); ++t) {
        if (c.faces[t] != 0) {
            EXPECT_EQ(facingFrom(model[t].v, c.centre), c.faces[t]) << "triangle " << t;
        } else {
            EXPECT_TRUE(sameCoords(model[t].v[1], c.model[t][1])) << "triangle " << t;
        }
    }
    if (std::string(c.name).starts_with("flat")) { // the large half stands, the rest follow
        for (std::size_t t = 0; t < 3; ++t) {
            EXPECT_GT(model[t].normal.x, 0) << "triangle " << t;
        }
    }
    EXPECT_EQ(e.document.store.viewTriangles[0].colour, 0x123456u);
}

TEST(OrientCommands, PartsTurnAsAWholeOnceAndASecondRunTurnsNothing) {
    using namespace command_id;
    const Point3 tc(2.5, 2.5, 2.5); // the tetrahedron's centre
    const Point3 roofCentre(0, 0, 20);
    const std::vector<Case> cases = {
        {"closed, one face turned",
         tetrahedron({0, 0, 0}, {2}),
         kOrientOutward,
         -1,
         1,
         0,
         tc,
         {1, 1, 1, 1}},
        {"closed, inside out",
         tetrahedron({0, 0, 0}, {0, 1, 2, 3}),
         kOrientOutward,
         -1,
         4,
         0,
         tc,
         {1, 1, 1, 1}},
        {"closed, inward asked",
         tetrahedron({0, 0, 0}, {1}),
         kOrientInward,
         -1,
         3,
         0,
         tc,
         {-1, -1, -1, -1}},
        {"two parts, one selected",
         joined(tetrahedron({0, 0, 0}, {0}), tetrahedron({50, 0, 0}, {0})),
         kOrientOutward,
         3,
         1,
         0,
         tc,
         {1, 1, 1, 1, 0, 0, 0, 0}},
        {"open roof", roof(), kOrientOutward, -1, 2, 0, roofCentre, {1, 1, 1, 1}},
        {"open roof inward", roof(), kOrientInward, -1, 2, 0, roofCentre, {-1, -1, -1, -1}},
        {"flat", flatPart(), kOrientOutward, -1, 2, 0, {}, {}},
        {"flat, inward asked", flatPart(), kOrientInward, -1, 2, 0, {}, {}},
        {"twisted band", twistedBand(), kOrientOutward, -1, 0, 1, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHost host;
        Editor e{host};
        for (const Tri& t : c.model) {
            appendTriangle(e, t[0], t[1], t[2], 0x123456);
        }
        if (c.selectUpTo >= 0) {
            e.document.selection.selectTriangles(e.document.store, 0, c.selectUpTo);
        }
        for (const int run : {1, 2}) {
            const int depth = e.undoDepth();
            ASSERT_EQ(dispatchCommand(e, c.command), DispatchResult::Done);
            const int expected = run == 1 ? c.turnedCount : 0;
            ASSERT_FALSE(host.statuses.empty());
            EXPECT_EQ(host.statuses.back(), std::to_string(expected) +
                                                " 個の三角形の向きを変えました。揃えられない部分 " +
                                                std::to_string(c.leftAlone) + " 個はそのままです")
                << "run " << run;
            EXPECT_EQ(e.undoDepth(), depth + (expected > 0 ? 1 : 0)) << "run " << run;
        }
        checkOutcome(e, c);
    }
}

} // namespace
} // namespace fcw
