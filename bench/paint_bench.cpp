// Timings of one full paint (the frame step, then the painter) of a 3000-triangle scene at 1920 x
// 1080 on both drawing paths.

#include "editor/batch_player.h"
#include "editor/frame_step.h"
#include "interact/sphere.h"
#include "render/qt_canvas.h"
#include "render/scene_painter.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdlib>
#include <sstream>

namespace fcw {
namespace {

// Spheres of 160 triangles in a grid filling the view, 2880 triangles in all, plus flat ones
// up to 3000.
void buildScene(Editor& e) {
    MeshStore& s = e.store;
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
    e.camera.verticalAxisAngle = 0.3;
    e.refreshModelToView();
}

void paintBench(benchmark::State& state, bool depthBuffer) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    player.runLine("size 1920 1080");
    Editor& e = player.editor();
    buildScene(e);
    e.view.gridSpacing20 = true;
    if (depthBuffer) {
        e.view.frameMode = 3;
        e.view.depthNormalDisplay = 1;
    }
    QtCanvas canvas(1920, 1080);
    for (auto _ : state) {
        paintScene(stepFrame(e), canvas);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

void BM_PaintPolygonPath3000(benchmark::State& state) {
    paintBench(state, false);
}
BENCHMARK(BM_PaintPolygonPath3000)->Unit(benchmark::kMillisecond);

void BM_PaintDepthBuffer3000(benchmark::State& state) {
    paintBench(state, true);
}
BENCHMARK(BM_PaintDepthBuffer3000)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
