// The canvas's batched lines: the vertical ones of a solid pen written row by row, and the
// background filled with the grid's lines in the same pass.

#include "render/qt_canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace fcw {

void QtCanvas::lines(std::span<const LineSegment> segments) {
    detach();
    if (pen_.style != Pen::Style::Solid) {
        for (const LineSegment& s : segments) {
            penLine(s.from, s.to);
        }
        return;
    }
    // A solid pen gives every pixel it covers its one colour, so the order of the lines does
    // not matter: the vertical ones are written together, in one pass down the rows, instead
    // of one pass down the rows for each line.
    strips_.clear();
    std::int64_t top = INT64_MAX;
    std::int64_t end = INT64_MIN;
    for (const LineSegment& s : segments) {
        if (s.from.x != s.to.x || s.from.y == s.to.y) {
            penLine(s.from, s.to);
            continue;
        }
        const Strip c = verticalStrip(s.from, s.to);
        if (c.top < c.end) {
            strips_.push_back(c);
            top = std::min(top, c.top);
            end = std::max(end, c.end);
        }
    }
    const QRgb value = toRgb(pen_.colour);
    for (std::int64_t y = top; y < end; ++y) {
        QRgb* row = pixels_ + y * stride_;
        for (const Strip& c : strips_) {
            if (y >= c.top && y < c.end) {
                for (std::int64_t x = c.left; x <= c.right; ++x) {
                    row[x] = value;
                }
            }
        }
    }
}

void QtCanvas::fillRectThenLines(const Rect& r, Colour colour,
                                 std::span<const LineSegment> segments) {
    detach();
    const std::int64_t left = std::max(r.left, area_.left);
    const std::int64_t right = std::min(r.right, area_.right);
    const std::int64_t top = std::max(r.top, area_.top);
    const std::int64_t bottom = std::min(r.bottom, area_.bottom);
    auto vertical = [](const LineSegment& s) { return s.from.x == s.to.x && s.from.y != s.to.y; };
    // Vertical lines through every filled row, inside its columns, make every row the same:
    // one row is drawn once and copied down, the copy as fast as the fill alone. Anything else
    // is the fill, then the lines.
    strips_.clear();
    bool sameRows = pen_.style == Pen::Style::Solid && left < right && top < bottom;
    for (const LineSegment& s : segments) {
        if (!sameRows || !vertical(s)) {
            continue;
        }
        const Strip c = verticalStrip(s.from, s.to);
        if (c.top < c.end) {
            sameRows = c.top == top && c.end == bottom && c.left >= left && c.right < right;
            strips_.push_back(c);
        }
    }
    if (!sameRows) {
        fillRect(r, colour);
        lines(segments);
        return;
    }
    rowPattern_.assign(static_cast<std::size_t>(right - left), toRgb(colour));
    for (const Strip& c : strips_) {
        std::fill(rowPattern_.begin() + (c.left - left), rowPattern_.begin() + (c.right - left + 1),
                  toRgb(pen_.colour));
    }
    for (std::int64_t y = top; y < bottom; ++y) {
        std::memcpy(pixels_ + y * stride_ + left, rowPattern_.data(), rowPattern_.size() * 4);
    }
    for (const LineSegment& s : segments) {
        if (!vertical(s)) {
            penLine(s.from, s.to);
        }
    }
}

} // namespace fcw
