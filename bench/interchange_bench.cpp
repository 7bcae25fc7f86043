// Timings of the interchange paths: the reduction a dense import goes through and a 3MF round
// trip of a full store.

#include "bench/dense_sphere.h"
#include "io/child_sandbox.h"
#include "io/reduction.h"
#include "io/three_mf.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace fcw {
namespace {

// 20,000 triangles in two coloured halves, reduced to the store's 3000.
void BM_Reduce20000To3000(benchmark::State& state) {
    const auto sphere = denseSphere(50, 100.0, 0x0000FFu, 0xFF8000u);
    for (auto _ : state) {
        const auto reduced = reduceTriangles(sphere, 3000);
        benchmark::DoNotOptimize(reduced.data());
    }
    state.counters["triangles_in"] = static_cast<double>(sphere.size());
}
BENCHMARK(BM_Reduce20000To3000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// A 3000-triangle model written as 3MF and read back.
void BM_ThreeMfWriteRead3000(benchmark::State& state) {
    auto sphere = denseSphere(50, 100.0, 0x0000FFu, 0xFF8000u);
    sphere.resize(3000);
    char folder[] = "/tmp/fcw_bench_3mf_XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string(folder) + "/m.3mf";
    for (auto _ : state) {
        writeThreeMf(path, sphere, 1.0, nullptr);
        const ThreeMfRead back = readThreeMf(path, 1.0);
        benchmark::DoNotOptimize(back.triangles.data());
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}
BENCHMARK(BM_ThreeMfWriteRead3000)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// What confining a reading child costs: a fork whose child exits at once, with and without
// entering the sandbox first (the filter is compiled in the child, after the fork).
void BM_ForkedChild(benchmark::State& state) {
    const bool confined = state.range(0) != 0;
    for (auto _ : state) {
        const pid_t child = ::fork();
        if (child == 0) {
            ::_exit(!confined || enterSandbox("/tmp") ? 0 : 1);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        if (status != 0) {
            state.SkipWithError("the child could not be confined");
            return;
        }
    }
}
BENCHMARK(BM_ForkedChild)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
} // namespace fcw
