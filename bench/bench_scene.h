#pragma once

// The benchmark scene, shared by the paint benchmarks and their OpenGL peer.

#include "editor/editor.h"
#include "interact/sphere.h"

namespace fcw {

// Spheres of 160 triangles in a grid filling the view, 2880 triangles in all, plus flat ones
// up to 3000.
inline void buildScene(Editor& e) {
    MeshStore& s = e.document.store;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 6; ++col) {
            ++s.lastIndex;
            const double cx = -800 + col * 320.0;
            const double cy = -360 + row * 360.0;
            generateSphere(s, {0, cx, cy - 170}, {0, cx, cy + 170}, 10, 10, false, 1.0,
                           static_cast<Colour>(0x204080 + 0x101010 * (row * 6 + col)));
        }
    }
    while (s.lastIndex < kMaxTriangles - 1) {
        ++s.lastIndex;
        Triangle& t = s.viewTriangles[static_cast<std::size_t>(s.lastIndex)];
        const double x = -900 + (s.lastIndex % 60) * 30.0;
        t.setVertex(0, Point3(-50, x, 400));
        t.setVertex(1, Point3(-50, x + 25, 400));
        t.setVertex(2, Point3(-50, x, 430));
        t.setColour(0x00808080);
        t.computePolar();
        t.computeNormal();
    }
    e.refreshViewToModel();
    e.pane().camera.verticalAxisAngle = 0.3;
    e.refreshModelToView();
}

} // namespace fcw
