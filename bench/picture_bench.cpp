// A 36-frame 512 x 512 GIF turntable of the 3000-triangle scene, painting included, beside
// ImageMagick's `convert` assembling the same 36 frames, already painted and written as PNG
// files, into a GIF. Both write to a scratch folder; `convert` must be on the path (Debian's
// imagemagick), or its benchmark is skipped.

#include "bench/bench_scene.h"
#include "editor/batch/batch_player.h"
#include "editor/commands/picture_export.h"
#include "render/qt_picture.h"
#include "render/qt_vector_state.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace fcw {
namespace {

constexpr int kFrames = 36;
constexpr int kSide = 512;
constexpr int kDelayMs = 60;

std::vector<TriangleCore> sceneTriangles() {
    std::ostringstream sink;
    BatchPlayer player(sink, sink);
    Editor& e = player.editor();
    buildScene(e);
    std::vector<TriangleCore> out;
    for (int i = 0; i <= e.document.store.lastIndex; ++i) {
        out.push_back(e.document.store.modelTriangles[static_cast<std::size_t>(i)].core());
    }
    return out;
}

std::string scratchFolder() {
    const auto dir = std::filesystem::temp_directory_path() / "fcw-picture-bench";
    std::filesystem::create_directories(dir);
    return dir.string();
}

PictureLook look() {
    PictureLook l;
    l.width = kSide;
    l.height = kSide;
    return l;
}

void BM_TurntableGif36(benchmark::State& state) {
    const std::vector<TriangleCore> model = sceneTriangles();
    const std::string path = scratchFolder() + "/ours.gif";
    for (auto _ : state) {
        const PictureResult r =
            writeTurntable(model, look(), {kFrames, kDelayMs}, path, rasterisePicture);
        if (!r.written()) {
            state.SkipWithError(r.error.value_or("cancelled").c_str());
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
}
BENCHMARK(BM_TurntableGif36)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same frames as PNG files, painted and written once before the timing.
void BM_ConvertAssemblesGif36(benchmark::State& state) {
    if (std::system("command -v convert > /dev/null 2>&1") != 0) {
        state.SkipWithError("convert (imagemagick) is not installed");
        return;
    }
    const std::string dir = scratchFolder();
    const std::vector<TriangleCore> model = sceneTriangles();
    PictureScene scene(model);
    for (int k = 0; k < kFrames; ++k) {
        const std::vector<std::uint8_t> png =
            encodePng(kSide, kSide, rasterisePicture(scene.turntable(look(), k, kFrames)));
        char name[32];
        std::snprintf(name, sizeof name, "/frame%02d.png", k);
        if (!writeFileAtomically(dir + name, png)) {
            state.SkipWithError("cannot write the frames");
            return;
        }
    }
    const std::string command = "convert -delay " + std::to_string(kDelayMs / 10) +
                                " -loop 0 -dispose background " + dir + "/frame*.png " + dir +
                                "/convert.gif";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("convert failed");
            return;
        }
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(dir + "/convert.gif"));
}
BENCHMARK(BM_ConvertAssemblesGif36)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace fcw

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    fcw::clearUpperVectorState();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
