// Timings of the whole-model operations that run after every edit.

#include "bench/bench_scene.h"
#include "editor/batch/batch_player.h"
#include "editor/commands/document_commands.h"
#include "editor/commands/interchange_commands.h"
#include "editor/commands/mesh_commands.h"
#include "editor/commands/text_commands.h"
#include "io/interchange.h"
#include "io/native_document.h"
#include "render/depth_order.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <sstream>

namespace fcw {
namespace {

void fillModel(MeshStore& store) {
    std::mt19937 rng(42);
    std::uniform_real_distribution<double> coord(-500.0, 500.0);
    store.lastIndex = kMaxTriangles - 1;
    for (int i = 0; i < kMaxTriangles; ++i) {
        Triangle& t = store.modelTriangles[static_cast<std::size_t>(i)];
        for (int k = 0; k < 3; ++k) {
            t.setVertex(k, Point3(coord(rng), coord(rng), coord(rng)));
        }
        t.computePolar();
        t.computeNormal();
    }
}

void BM_RefreshViewForward3000(benchmark::State& state) {
    MeshStore store;
    fillModel(store);
    for (auto _ : state) {
        store.refreshModelToView(0.6, -0.3);
        benchmark::DoNotOptimize(store.viewTriangles[2999].v[2].x);
    }
}
BENCHMARK(BM_RefreshViewForward3000)->Unit(benchmark::kMicrosecond);

void BM_RefreshViewInverse3000(benchmark::State& state) {
    MeshStore store;
    fillModel(store);
    store.refreshModelToView(0.6, -0.3);
    for (auto _ : state) {
        store.refreshViewToModel(0.6, -0.3);
        benchmark::DoNotOptimize(store.modelTriangles[2999].v[2].x);
    }
}
BENCHMARK(BM_RefreshViewInverse3000)->Unit(benchmark::kMicrosecond);

void BM_TakeSnapshotFullHistory3000(benchmark::State& state) {
    MeshStore store;
    fillModel(store);
    UndoHistory history;
    for (int i = 0; i < kUndoLevels; ++i) {
        history.takeSnapshot(store, false);
        history.countEdit();
    }
    for (auto _ : state) {
        history.takeSnapshot(store, false); // shifts the full history every time
        history.countEdit();
    }
}
BENCHMARK(BM_TakeSnapshotFullHistory3000)->Unit(benchmark::kMicrosecond);

void BM_SaveAndLoadDocument3000(benchmark::State& state) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    Editor& e = player.editor();
    fillModel(e.document.store);
    const std::string path = "/tmp/fcw-bench-document.fcw";
    for (auto _ : state) {
        saveDocumentFile(e, path);
        openDocumentFile(e, path);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveAndLoadDocument3000)->Unit(benchmark::kMillisecond);

// The import command after the file dialog: read the file, parse the faces, replace the model
// (with its undo snapshot and view list) and repaint.
void BM_ImportDxf3000(benchmark::State& state) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    Editor& e = player.editor();
    fillModel(e.document.store);
    const std::string path = "/tmp/fcw-bench-import.dxf";
    if (!writeTextFile(e, path)) {
        state.SkipWithError("cannot write the DXF file");
        return;
    }
    for (auto _ : state) {
        readTextFile(e, path);
    }
    if (e.document.store.lastIndex != kMaxTriangles - 1) {
        state.SkipWithError("the import did not read 3000 triangles");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ImportDxf3000)->Unit(benchmark::kMillisecond);

// An icosahedron split four ways five times (20,480 triangles) on a sphere of radius 300,
// its upper half red and its lower half blue, facing outward.
std::vector<TriangleCore> denseSphere() {
    using V = std::array<double, 3>;
    const double p = (1.0 + std::sqrt(5.0)) / 2.0;
    std::vector<V> ico = {{-1, p, 0}, {1, p, 0}, {-1, -p, 0}, {1, -p, 0},
                          {0, -1, p}, {0, 1, p}, {0, -1, -p}, {0, 1, -p},
                          {p, 0, -1}, {p, 0, 1}, {-p, 0, -1}, {-p, 0, 1}};
    const int faces[20][3] = {{0, 11, 5}, {0, 5, 1},  {0, 1, 7},   {0, 7, 10}, {0, 10, 11},
                              {1, 5, 9},  {5, 11, 4}, {11, 10, 2}, {10, 7, 6}, {7, 1, 8},
                              {3, 9, 4},  {3, 4, 2},  {3, 2, 6},   {3, 6, 8},  {3, 8, 9},
                              {4, 9, 5},  {2, 4, 11}, {6, 2, 10},  {8, 6, 7},  {9, 8, 1}};
    auto onSphere = [](V v) {
        const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        return V{300 * v[0] / n, 300 * v[1] / n, 300 * v[2] / n};
    };
    std::vector<std::array<V, 3>> tris;
    for (const auto& f : faces) {
        tris.push_back({onSphere(ico[f[0]]), onSphere(ico[f[1]]), onSphere(ico[f[2]])});
    }
    for (int level = 0; level < 5; ++level) {
        std::vector<std::array<V, 3>> next;
        for (const auto& t : tris) {
            auto mid = [&](int a, int b) {
                return onSphere(
                    {(t[a][0] + t[b][0]) / 2, (t[a][1] + t[b][1]) / 2, (t[a][2] + t[b][2]) / 2});
            };
            const V ab = mid(0, 1), bc = mid(1, 2), ca = mid(2, 0);
            next.push_back({t[0], ab, ca});
            next.push_back({ab, t[1], bc});
            next.push_back({ca, bc, t[2]});
            next.push_back({ab, bc, ca});
        }
        tris = std::move(next);
    }
    std::vector<TriangleCore> out;
    for (const auto& t : tris) {
        TriangleCore c;
        c.v = t;
        c.colour = t[0][2] + t[1][2] + t[2][2] < 0 ? 0x0000ffu : 0xff0000u;
        out.push_back(c);
    }
    return out;
}

// Importing a dense glTF file into the editor, the reduction to 3000 triangles included.
void BM_ImportDenseGltf20480(benchmark::State& state) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    Editor& e = player.editor();
    const std::string path = "/tmp/fcw-bench-dense.glb";
    if (!writeForeignModel(path, denseSphere(), 1.0, nullptr)) {
        state.SkipWithError("cannot write the glTF file");
        return;
    }
    for (auto _ : state) {
        importForeignFile(e, path, OverCapacity::Reduce);
    }
    if (e.document.store.count() == 0 || e.document.store.count() > kMaxTriangles) {
        state.SkipWithError("the import did not reduce the sphere");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ImportDenseGltf20480)->Unit(benchmark::kMillisecond);

void BM_EncodeDecodeDocument3000(benchmark::State& state) {
    MeshStore store;
    fillModel(store);
    DecodedDocument doc;
    for (auto _ : state) {
        const auto bytes = encodeDocument(store.modelTriangles, store.lastIndex);
        decodeDocument(bytes, doc);
        benchmark::DoNotOptimize(doc.triangles.data());
    }
}
BENCHMARK(BM_EncodeDecodeDocument3000)->Unit(benchmark::kMicrosecond);

void BM_SelectAllAndMerge3000(benchmark::State& state) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    Editor& e = player.editor();
    for (auto _ : state) {
        state.PauseTiming();
        fillModel(e.document.store);
        e.refreshModelToView();
        state.ResumeTiming();
        selectAll(e);
        mergeSelectedVertices(e);
    }
}
BENCHMARK(BM_SelectAllAndMerge3000)->Unit(benchmark::kMillisecond);

void BM_SortByDepthReversed3000(benchmark::State& state) {
    std::vector<double> keys(kMaxTriangles);
    for (int i = 0; i < kMaxTriangles; ++i) {
        keys[static_cast<std::size_t>(i)] = static_cast<double>(kMaxTriangles - i);
    }
    std::vector<std::int16_t> order(kTriangleSlots);
    for (auto _ : state) {
        sortByDepth(keys, kMaxTriangles - 1, order);
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK(BM_SortByDepthReversed3000)->Unit(benchmark::kMicrosecond);

// The keys a paint sorts: the depths of the paint benchmark's scene, in store order.
void BM_SortByDepthOfTheBenchmarkScene3000(benchmark::State& state) {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    Editor& e = player.editor();
    buildScene(e);
    std::vector<std::int16_t> order(kTriangleSlots);
    for (auto _ : state) {
        sortByDepth(e.document.store.depthKeys, e.document.store.lastIndex, order);
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK(BM_SortByDepthOfTheBenchmarkScene3000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace fcw
