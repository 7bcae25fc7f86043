// Timings of one full paint (the frame step, then the painter) of a 3000-triangle scene at 1920 x
// 1080 and 3840 x 2160 on both drawing paths, beside Qt's own fill of the same triangles.

#include "app/device_frame.h"
#include "app/view_picture.h"
#include "bench/bench_scene.h"
#include "editor/batch/batch_player.h"
#include "editor/tools/mouse_tools.h"
#include "editor/view/frame_step.h"
#include "render/qt_canvas.h"
#include "render/qt_vector_state.h"
#include "render/scene_painter.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygon>

#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace fcw {
namespace {

// The benchmark scene at a view size; scale 2 doubles the zoom, so 3840 x 2160 shows the
// same picture as 1920 x 1080 at twice the resolution.
void setUp(BatchPlayer& player, int scale, bool depthBuffer) {
    player.runLine("size " + std::to_string(1920 * scale) + " " + std::to_string(1080 * scale));
    Editor& e = player.editor();
    buildScene(e);
    e.pane().camera.zoom = scale;
    e.session.view.grid = GridSpacing::Twenty;
    if (depthBuffer) {
        e.session.view.frameMode = FrameMode::Filled;
        e.session.view.depthNormalDisplay = 1;
    }
}

// One full repaint as the window does it: the frame step, then the painter (mode 2 with grid
// and status box, or the depth-buffer path). The painter shares its bands with a helper thread
// unless `oneThread`; the times are wall-clock times either way.
void paintBench(benchmark::State& state, int scale, bool depthBuffer, bool oneThread = false) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    setUp(player, scale, depthBuffer);
    Editor& e = player.editor();
    QtCanvas canvas(1920 * scale, 1080 * scale);
    canvas.setConcurrentBands(!oneThread);
    for (auto _ : state) {
        paintScene(stepFrame(e), canvas);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}

// The peer: Qt's raster engine filling the same front-facing triangles back to front, with no
// pen and nothing else (no clearing, grid, edges or status box).
void qpainterFillBench(benchmark::State& state, int scale) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    setUp(player, scale, false);
    Editor& e = player.editor();
    const SceneFrame f = stepFrame(e); // the order and the shaded colours
    std::vector<std::pair<QPolygon, QColor>> polygons;
    for (int k = 0; k <= f.drawCount; ++k) {
        const Triangle& t = f.triangles[static_cast<std::size_t>(f.drawOrder[k])];
        if (t.normal.x < 0) {
            continue;
        }
        QPolygon p;
        for (const Point3& v : t.v) {
            p << QPoint(f.camera.projectX(v.y), f.camera.projectY(v.z));
        }
        const Colour c = t.shadedColour;
        polygons.emplace_back(p, QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
    }
    QImage image(1920 * scale, 1080 * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        for (const auto& [polygon, colour] : polygons) {
            painter.setBrush(colour);
            painter.drawPolygon(polygon);
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// One move event of a drag of all 3000 triangles in the range tool at 3840 x 2160, with the
// full repaint the window does after it (as "bench drag" times it). The pointer goes one pixel
// right and back left on alternate events.
// A drag of the selection from the centre box of the active pane's last paint, a pixel right
// and back, one move event (with its repaint) an iteration. The tools take points in the
// active pane's own pixels, as the window hands them on.
template <typename Picture>
void dragBackAndForth(benchmark::State& state, Editor& e, const Picture& pictureBits) {
    PixelPoint p = centre(e.pane().lastPaint.centreBox);
    onLeftButtonDown(e, mouse_flags::kLeft, p);
    int step = 1;
    for (auto _ : state) {
        p.x += step;
        step = -step;
        onMouseMove(e, mouse_flags::kLeft, p);
        benchmark::DoNotOptimize(pictureBits());
    }
    onLeftButtonUp(e, 0, p);
}

void BM_DragEvent3000_4K(benchmark::State& state) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    setUp(player, 2, false);
    player.runLine("command 32803"); // the range tool
    player.runLine("command 32930"); // select all
    Editor& e = player.editor();
    QtCanvas canvas(3840, 2160);
    player.host().setPainter([&](Editor& editor) { paintScene(stepFrame(editor), canvas); });
    e.repaint();
    dragBackAndForth(state, e, [&] { return canvas.image().constBits(); });
    player.host().setPainter(nullptr);
}
BENCHMARK(BM_DragEvent3000_4K)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintPolygonPath3000(benchmark::State& state) {
    paintBench(state, 1, false);
}
BENCHMARK(BM_PaintPolygonPath3000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintPolygonPath3000_OneThread(benchmark::State& state) {
    paintBench(state, 1, false, true);
}
BENCHMARK(BM_PaintPolygonPath3000_OneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintDepthBuffer3000(benchmark::State& state) {
    paintBench(state, 1, true);
}
BENCHMARK(BM_PaintDepthBuffer3000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QPainterFillOnly3000(benchmark::State& state) {
    qpainterFillBench(state, 1);
}
BENCHMARK(BM_QPainterFillOnly3000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintPolygonPath3000_4K(benchmark::State& state) {
    paintBench(state, 2, false);
}
BENCHMARK(BM_PaintPolygonPath3000_4K)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintPolygonPath3000_4K_OneThread(benchmark::State& state) {
    paintBench(state, 2, false, true);
}
BENCHMARK(BM_PaintPolygonPath3000_4K_OneThread)->Unit(benchmark::kMillisecond)->UseRealTime();

// The window's repaint on a screen scaled 2 x: a 1920 x 1080 window painted at 3840 x 2160
// device pixels (the frame step for the window, then for the device picture), the same scene
// as the 3840 x 2160 rows above.
void BM_PaintPolygonPath3000_Ratio2(benchmark::State& state) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    setUp(player, 1, false);
    Editor& e = player.editor();
    QtCanvas canvas(3840, 2160);
    // Once before timing: the first paint sizes the depth renderer and loads the font's size.
    paintScene(stepDeviceFrame(e, 2.0), canvas);
    for (auto _ : state) {
        paintScene(stepDeviceFrame(e, 2.0), canvas);
        benchmark::DoNotOptimize(canvas.image().constBits());
    }
}
BENCHMARK(BM_PaintPolygonPath3000_Ratio2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_PaintDepthBuffer3000_4K(benchmark::State& state) {
    paintBench(state, 2, true);
}
BENCHMARK(BM_PaintDepthBuffer3000_4K)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_QPainterFillOnly3000_4K(benchmark::State& state) {
    qpainterFillBench(state, 2);
}
BENCHMARK(BM_QPainterFillOnly3000_4K)->Unit(benchmark::kMillisecond)->UseRealTime();

// The quad layout at 3840 x 2160: four 1920 x 1080 panes, each showing the scene at zoom 1 (the
// picture of the 1920 x 1080 rows), painted as the window paints them.
void setUpQuad(BatchPlayer& player) {
    player.runLine("size 3840 2160");
    Editor& e = player.editor();
    buildScene(e);
    e.session.view.grid = GridSpacing::Twenty;
    player.runLine("command 33011"); // 4画面
}

void BM_PaintQuad3000_4K(benchmark::State& state) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    setUpQuad(player);
    Editor& e = player.editor();
    ViewPicture picture;
    picture.paint(e, 1.0); // sizes the canvases and the scratch model
    for (auto _ : state) {
        picture.paint(e, 1.0);
        benchmark::DoNotOptimize(picture.canvas().image().constBits());
    }
}
BENCHMARK(BM_PaintQuad3000_4K)->Unit(benchmark::kMillisecond)->UseRealTime();

// One move event of a drag of all 3000 triangles in 自由視点 of the quad layout at 3840 x 2160,
// with the repaint of all four panes after it.
void BM_DragEvent3000_4K_Quad(benchmark::State& state) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    setUpQuad(player);
    player.runLine("command 32803"); // the range tool
    player.runLine("command 32930"); // select all
    Editor& e = player.editor();
    ViewPicture picture;
    player.host().setPainter([&](Editor& editor) { picture.paint(editor, 1.0); });
    e.repaint();
    dragBackAndForth(state, e, [&] { return picture.canvas().image().constBits(); });
    state.counters["undo_steps"] = e.undoDepth(); // 1 when the drag moved the selection
    player.host().setPainter(nullptr);
}
BENCHMARK(BM_DragEvent3000_4K_Quad)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    fcw::clearUpperVectorState(); // the toolkit's start-up leaves it set, as in the program
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
