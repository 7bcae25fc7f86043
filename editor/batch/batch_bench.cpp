#include "editor/batch/batch_bench.h"

#include "editor/tools/mouse_tools.h"
#include "editor/tools/operation.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <ostream>

namespace fcw {

namespace {

constexpr int kMaxRuns = 100000;

// Milliseconds `work` takes, on the steady clock.
template <typename Work> double timeMs(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

void report(std::ostream& out, const char* kind, int n, const Timing& t) {
    char line[128];
    std::snprintf(line, sizeof line, "bench %s n=%d median_ms=%.3f min_ms=%.3f\n", kind, n,
                  t.medianMs, t.minMs);
    out << line;
}

std::vector<double> benchDrag(Editor& e, int n) {
    e.repaint(); // the centre box is where the window shows it
    const PixelPoint start = centre(e.pane().lastPaint.centreBox);
    onLeftButtonDown(e, mouse_flags::kLeft, start);
    std::vector<double> times;
    times.reserve(static_cast<std::size_t>(n));
    PixelPoint p = start;
    for (int i = 0; i < n; ++i) {
        ++p.x;
        times.push_back(timeMs([&] { onMouseMove(e, mouse_flags::kLeft, p); }));
    }
    onLeftButtonUp(e, 0, p);
    return times;
}

} // namespace

Timing summarise(std::vector<double> millis) {
    if (millis.empty()) {
        return {};
    }
    std::sort(millis.begin(), millis.end());
    const std::size_t mid = millis.size() / 2;
    const double median =
        millis.size() % 2 == 1 ? millis[mid] : (millis[mid - 1] + millis[mid]) / 2;
    return {median, millis.front()};
}

std::optional<std::string> runBench(Editor& e, HeadlessHost& host, std::ostream& out,
                                    const PaintView& paint, std::span<const std::string> w) {
    constexpr char kUsage[] = "usage: bench paint N or bench drag N (N from 1 to 100000)";
    int n = 0;
    if (w.size() != 3 || (w[1] != "paint" && w[1] != "drag")) {
        return kUsage;
    }
    const auto [end, ec] = std::from_chars(w[2].data(), w[2].data() + w[2].size(), n);
    if (ec != std::errc() || end != w[2].data() + w[2].size() || n < 1 || n > kMaxRuns) {
        return kUsage;
    }
    if (!paint) {
        return "bench is not available in this build";
    }
    const bool drag = w[1] == "drag";
    if (drag && (!rangeToolActive(e) || !selectionShown(e))) {
        return "bench drag needs a selection shown in the range tool (select all or draw a band "
               "first)";
    }
    host.setPainter(paint);
    std::vector<double> times;
    if (drag) {
        times = benchDrag(e, n);
    } else {
        times.reserve(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) {
            times.push_back(timeMs([&] { paint(e); }));
        }
    }
    host.setPainter(nullptr);
    report(out, drag ? "drag" : "paint", n, summarise(std::move(times)));
    return std::nullopt;
}

} // namespace fcw
