// The canvas's batched lines: the vertical ones of a solid pen written row by row, and the
// background filled with the grid's lines in the same pass.

#include "render/qt_canvas.h"

#include "render/qt_pixel_rows.h"

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
    // The grid's lines are one pixel wide and span the same rows: then a row is only a list of
    // columns.
    columns_.clear();
    for (const Strip& c : strips_) {
        if (c.left != c.right || c.top != top || c.end != end) {
            columns_.clear();
            break;
        }
        columns_.push_back(c.left);
    }
    if (columns_.size() == strips_.size()) {
        for (std::int64_t y = top; y < end; ++y) {
            QRgb* row = pixels_ + y * stride_;
            for (const std::int64_t x : columns_) {
                row[x] = value;
            }
        }
        return;
    }
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
    strips_.clear();
    bool inside = pen_.style == Pen::Style::Solid && left < right && top < bottom;
    for (const LineSegment& s : segments) {
        if (!inside || !vertical(s)) {
            continue;
        }
        const Strip c = verticalStrip(s.from, s.to);
        inside = c.top >= c.end ||
                 (c.top >= top && c.end <= bottom && c.left >= left && c.right < right);
        if (c.top < c.end) {
            strips_.push_back(c);
        }
    }
    if (!inside) {
        fillRect(r, colour);
        lines(segments);
        return;
    }
    const QRgb fill = toRgb(colour);
    const QRgb value = toRgb(pen_.colour);
    // Lines through all the filled rows make every row the same: one row is drawn once and
    // copied down, the copy as fast as the fill alone.
    const bool sameRows = std::all_of(strips_.begin(), strips_.end(), [&](const Strip& c) {
        return c.top == top && c.end == bottom;
    });
    if (sameRows) {
        rowPattern_.assign(static_cast<std::size_t>(right - left), fill);
        for (const Strip& c : strips_) {
            std::fill(rowPattern_.begin() + (c.left - left),
                      rowPattern_.begin() + (c.right - left + 1), value);
        }
        for (std::int64_t y = top; y < bottom; ++y) {
            std::memcpy(pixels_ + y * stride_ + left, rowPattern_.data(), rowPattern_.size() * 4);
        }
    } else {
        for (std::int64_t y = top; y < bottom; ++y) {
            QRgb* row = pixels_ + y * stride_;
            setPixels(row + left, right - left, fill);
            for (const Strip& c : strips_) {
                if (y >= c.top && y < c.end) {
                    for (std::int64_t x = c.left; x <= c.right; ++x) {
                        row[x] = value;
                    }
                }
            }
        }
    }
    for (const LineSegment& s : segments) {
        if (!vertical(s)) {
            penLine(s.from, s.to);
        }
    }
}

} // namespace fcw
