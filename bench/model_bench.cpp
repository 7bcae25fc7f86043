// Timings of the whole-model operations that run after every edit.

#include "editor/batch_player.h"
#include "editor/document_commands.h"
#include "editor/mesh_commands.h"
#include "editor/text_commands.h"
#include "io/native_document.h"
#include "render/depth_order.h"

#include <benchmark/benchmark.h>

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
    fillModel(e.store);
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
    fillModel(e.store);
    const std::string path = "/tmp/fcw-bench-import.dxf";
    if (!writeTextFile(e, path)) {
        state.SkipWithError("cannot write the DXF file");
        return;
    }
    for (auto _ : state) {
        readTextFile(e, path);
    }
    if (e.store.lastIndex != kMaxTriangles - 1) {
        state.SkipWithError("the import did not read 3000 triangles");
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ImportDxf3000)->Unit(benchmark::kMillisecond);

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
        fillModel(e.store);
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

} // namespace
} // namespace fcw
