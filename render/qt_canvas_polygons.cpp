// The canvas's polygons: fills spanning their outline's rows, and the one-pass solid triangle
// the painter draws most.

#include "render/qt_canvas.h"

#include "render/line_runs.h"
#include "render/qt_pixel_rows.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace fcw {

void QtCanvas::brushRun(std::int64_t y, std::int64_t from, std::int64_t to, const Brush& brush) {
    QRgb* line = pixels_ + y * stride_;
    const QRgb value = toRgb(brush.colour);
    switch (brush.style) {
    case Brush::Style::Solid:
        if (from <= to) {
            setPixels(line + from, to - from + 1, value);
        }
        break;
    case Brush::Style::BackwardDiagonalHatch: {
        // Backward diagonals ("/": up to the right, as y grows downward) every 8 pixels, in
        // the phase of the platform's hatch brushes: x + y = 7 (mod 8), counted from the
        // picture's top-left corner.
        const std::int64_t phase = ((7 - y - from) % 8 + 8) % 8;
        for (std::int64_t x = from + phase; x <= to; x += 8) {
            line[x] = value;
        }
        break;
    }
    case Brush::Style::None:
        break;
    }
}

void QtCanvas::fillPolygon(std::span<const PixelPoint> points, const Brush& brush,
                           std::vector<Run>* outline) {
    if (brush.style == Brush::Style::None || points.empty()) {
        return;
    }
    std::int64_t top = points[0].y;
    std::int64_t bottom = points[0].y;
    for (const PixelPoint& p : points) {
        top = std::min<std::int64_t>(top, p.y);
        bottom = std::max<std::int64_t>(bottom, p.y);
    }
    // Rows of the polygon inside the clip; the lowest vertex's row belongs to the outline.
    top = std::max<std::int64_t>(top, area_.top);
    bottom = std::min<std::int64_t>(bottom + 1, area_.bottom);
    if (top >= bottom) {
        return;
    }
    // Each row's leftmost and rightmost outline pixel, from the outline's own runs. Columns
    // are not clipped here, so an edge outside the clip still bounds its rows.
    const auto rows = static_cast<std::size_t>(bottom - top);
    if (spans_.size() < rows) {
        spans_.resize(rows);
    }
    std::fill_n(spans_.begin(), rows, RowSpan{});
    for (std::size_t i = 0; i < points.size(); ++i) {
        lineRuns(points[i], points[(i + 1) % points.size()], top, bottom,
                 [&](std::int64_t y, std::int64_t x0, std::int64_t x1, std::int64_t) {
                     RowSpan& s = spans_[static_cast<std::size_t>(y - top)];
                     s.left = std::min(s.left, x0);
                     s.right = std::max(s.right, x1);
                     if (outline != nullptr) {
                         outline->push_back({y, x0, x1});
                     }
                 });
    }
    for (std::int64_t y = top; y < bottom; ++y) {
        const RowSpan& s = spans_[static_cast<std::size_t>(y - top)];
        const std::int64_t from = std::max<std::int64_t>(s.left, area_.left);
        const std::int64_t to = std::min<std::int64_t>(s.right, area_.right - 1);
        if (from <= to) {
            brushRun(y, from, to, brush);
        }
    }
}

void QtCanvas::solidTriangle(std::span<const PixelPoint> corners, QRgb fill, const QRgb* edge) {
    const std::int64_t top =
        std::max<std::int64_t>(std::min({corners[0].y, corners[1].y, corners[2].y}), area_.top);
    // The lowest corner's row belongs to the outline.
    const std::int64_t bottom = std::min<std::int64_t>(
        std::int64_t{std::max({corners[0].y, corners[1].y, corners[2].y})} + 1, area_.bottom);
    if (top >= bottom) {
        return;
    }
    const auto rows = static_cast<std::size_t>(bottom - top);
    if (triangleRows_.size() < rows) {
        triangleRows_.resize(rows);
    }
    TriangleRow* const first = triangleRows_.data();
    for (std::size_t i = 0; i < rows; ++i) {
        first[i].left = INT32_MAX;
        first[i].right = INT32_MIN;
        first[i].runs = 0;
    }
    // Columns are not clipped here, so an edge outside the clip still bounds its rows. Every
    // run lies between its edge's two corners, so it fits 32 bits.
    for (std::size_t i = 0; i < 3; ++i) {
        lineRuns(corners[i], corners[(i + 1) % 3], top, bottom,
                 [&](std::int64_t y, std::int64_t x0, std::int64_t x1, std::int64_t) {
                     TriangleRow& r = first[y - top];
                     const auto a = static_cast<std::int32_t>(x0);
                     const auto b = static_cast<std::int32_t>(x1);
                     r.left = std::min(r.left, a);
                     r.right = std::max(r.right, b);
                     r.from[r.runs] = a;
                     r.to[r.runs] = b;
                     ++r.runs;
                 });
    }
    const std::int64_t clipLeft = area_.left;
    const std::int64_t clipRight = std::int64_t{area_.right} - 1;
    QRgb* row = pixels_ + top * stride_;
    for (std::size_t i = 0; i < rows; ++i, row += stride_) {
        const TriangleRow& r = first[i];
        const std::int64_t a = std::max<std::int64_t>(r.left, clipLeft);
        const std::int64_t b = std::min<std::int64_t>(r.right, clipRight);
        if (a > b) {
            continue;
        }
        setPixels(row + a, b - a + 1, fill);
        if (edge == nullptr) {
            continue;
        }
        for (std::int32_t k = 0; k < r.runs; ++k) {
            const std::int64_t from = std::max<std::int64_t>(r.from[k], clipLeft);
            const std::int64_t to = std::min<std::int64_t>(r.to[k], clipRight);
            if (from <= to) {
                setPixels(row + from, to - from + 1, *edge);
            }
        }
    }
}

void QtCanvas::polygon(std::span<const PixelPoint> points) {
    detach();
    const bool thinSolidPen = pen_.style == Pen::Style::Solid && pen_.width == 1;
    if (points.size() == 3 && brush_.style == Brush::Style::Solid &&
        (thinSolidPen || pen_.style == Pen::Style::None)) {
        const QRgb fill = toRgb(brush_.colour);
        const QRgb edge = toRgb(pen_.colour);
        const bool outlined = thinSolidPen && pen_.colour != brush_.colour;
        solidTriangle(points, fill, outlined ? &edge : nullptr);
        return;
    }
    if (!thinSolidPen || brush_.style != Brush::Style::Solid) {
        fillPolygon(points, brush_, nullptr);
        for (std::size_t i = 0; i < points.size(); ++i) {
            penLine(points[i], points[(i + 1) % points.size()]);
        }
        return;
    }
    if (pen_.colour == brush_.colour) {
        // The outline would draw only pixels the fill already covered.
        fillPolygon(points, brush_, nullptr);
        return;
    }
    // The outline's runs, kept while the fill found them, are the thin pen's pixels.
    outlineRuns_.clear();
    fillPolygon(points, brush_, &outlineRuns_);
    const QRgb value = toRgb(pen_.colour);
    for (const Run& r : outlineRuns_) {
        const std::int64_t a = std::max<std::int64_t>(r.x0, area_.left);
        const std::int64_t b = std::min<std::int64_t>(r.x1, area_.right - 1);
        if (a <= b) {
            setPixels(pixels_ + r.y * stride_ + a, b - a + 1, value);
        }
    }
}

} // namespace fcw
