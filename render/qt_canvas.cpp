#include "render/qt_canvas.h"

#include "render/device_pixels.h"
#include "render/line_runs.h"
#include "render/qt_pixel_rows.h"
#include "render/qt_vector_state.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace fcw {

namespace {

QColor toColor(Colour c) {
    return QColor(toRgb(c));
}

} // namespace

QtCanvas::QtCanvas(int width, int height)
    : image_(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32) {
    image_.fill(Qt::white);
    clearUpperVectorState();
    pixels_ = reinterpret_cast<QRgb*>(image_.bits());
    stride_ = image_.bytesPerLine() / 4;
    area_ = clipRect();
}

QtCanvas::QtCanvas(QRgb* pixels, int width, int height, qsizetype bytesPerLine,
                   bool concurrentBands)
    : image_(reinterpret_cast<uchar*>(pixels), width, height, bytesPerLine, QImage::Format_RGB32),
      concurrentBands_(concurrentBands) {
    pixels_ = pixels;
    stride_ = bytesPerLine / 4;
    area_ = clipRect();
}

std::unique_ptr<Canvas> QtCanvas::bandSurface() {
    if (!concurrentBands_ || image_.isNull()) {
        return nullptr;
    }
    detach(); // a shared picture is copied now, before two surfaces write into it
    return std::unique_ptr<Canvas>(
        new QtCanvas(pixels_, image_.width(), image_.height(), image_.bytesPerLine(), false));
}

QtCanvas QtCanvas::region(QtCanvas& whole, const Rect& area) {
    whole.detach();
    const int left = std::clamp(area.left, 0, whole.width());
    const int top = std::clamp(area.top, 0, whole.height());
    const int right = std::clamp(area.right, left, whole.width());
    const int bottom = std::clamp(area.bottom, top, whole.height());
    return QtCanvas(whole.pixels_ + static_cast<std::ptrdiff_t>(top) * whole.stride_ + left,
                    right - left, bottom - top, whole.image_.bytesPerLine(),
                    whole.concurrentBands_);
}

Rect QtCanvas::clipRect() const {
    Rect r{0, 0, width(), height()};
    if (clip_) {
        r.left = std::max(r.left, clip_->left);
        r.top = std::max(r.top, clip_->top);
        r.right = std::min(r.right, clip_->right);
        r.bottom = std::min(r.bottom, clip_->bottom);
    }
    return r;
}

bool QtCanvas::inside(std::int64_t x, std::int64_t y) const {
    return x >= area_.left && x < area_.right && y >= area_.top && y < area_.bottom;
}

void QtCanvas::put(std::int64_t x, std::int64_t y, Colour colour) {
    if (inside(x, y)) {
        pixels_[y * stride_ + x] = toRgb(colour);
    }
}

void QtCanvas::invert(std::int64_t x, std::int64_t y) {
    if (inside(x, y)) {
        QRgb& p = pixels_[y * stride_ + x];
        p = qRgb(255 - qRed(p), 255 - qGreen(p), 255 - qBlue(p));
    }
}

Colour QtCanvas::pixel(int x, int y) const {
    const QRgb p = image_.pixel(x, y);
    return static_cast<Colour>(qRed(p)) | (static_cast<Colour>(qGreen(p)) << 8) |
           (static_cast<Colour>(qBlue(p)) << 16);
}

QImage QtCanvas::argbImage() const {
    // The same bytes read with their alpha: drawn pixels carry 0xFF there, cleared ones 0.
    return QImage(image_.constBits(), image_.width(), image_.height(), image_.bytesPerLine(),
                  QImage::Format_ARGB32)
        .copy();
}

void QtCanvas::detach() {
    // A copy of image() shares the pixels; writing through the old pointer would change it.
    pixels_ = reinterpret_cast<QRgb*>(image_.bits());
}

void QtCanvas::setClip(const Rect* clip) {
    if (clip != nullptr) {
        clip_ = *clip;
    } else {
        clip_.reset();
    }
    area_ = clipRect();
}

QtCanvas::Strip QtCanvas::verticalStrip(PixelPoint from, PixelPoint to) const {
    const int lo = -penReach(pen_.width).before;
    const int hi = penReach(pen_.width).after;
    Strip c;
    c.left = std::max<std::int64_t>(std::int64_t{from.x} + lo, area_.left);
    c.right = std::min<std::int64_t>(std::int64_t{from.x} + hi, area_.right - 1);
    c.top =
        std::max<std::int64_t>(std::min<std::int64_t>(from.y, std::int64_t{to.y} + 1), area_.top);
    c.end = std::min<std::int64_t>(std::max<std::int64_t>(std::int64_t{from.y} + 1, to.y),
                                   area_.bottom);
    if (c.left > c.right) {
        c.end = c.top; // nothing of it is inside the clip
    }
    return c;
}

void QtCanvas::penLine(PixelPoint from, PixelPoint to) {
    if (pen_.style == Pen::Style::None) {
        return;
    }
    const bool steep = std::llabs(static_cast<std::int64_t>(to.y) - from.y) >
                       std::llabs(static_cast<std::int64_t>(to.x) - from.x);
    // Wider pens add neighbours across the line: +1 for width 2, -1 and +1 for width 3. Steep
    // lines widen within their row, flat ones onto the rows above and below.
    const int lo = -penReach(pen_.width).before;
    const int hi = penReach(pen_.width).after;
    const int rowLo = steep ? 0 : lo;
    const int rowHi = steep ? 0 : hi;
    const int colLo = steep ? lo : 0;
    const int colHi = steep ? hi : 0;
    const QRgb value = toRgb(pen_.colour);
    const bool dotted = pen_.style == Pen::Style::Dotted;
    if (from.x == to.x && from.y != to.y && !dotted) {
        // Vertical (grid lines, axes): one column strip, straight down the rows.
        const Strip c = verticalStrip(from, to);
        for (std::int64_t y = c.top; y < c.end; ++y) {
            setPixels(pixels_ + y * stride_ + c.left, c.right - c.left + 1, value);
        }
        return;
    }
    lineRuns(from, to, std::int64_t{area_.top} - rowHi, std::int64_t{area_.bottom} - rowLo,
             [&](std::int64_t y, std::int64_t x0, std::int64_t x1, std::int64_t index) {
                 for (int d = rowLo; d <= rowHi; ++d) {
                     const std::int64_t row = y + d;
                     if (row < area_.top || row >= area_.bottom) {
                         continue;
                     }
                     QRgb* line = pixels_ + row * stride_;
                     const std::int64_t a = std::max<std::int64_t>(x0 + colLo, area_.left);
                     const std::int64_t b = std::min<std::int64_t>(x1 + colHi, area_.right - 1);
                     if (!dotted) {
                         if (a <= b) {
                             setPixels(line + a, b - a + 1, value);
                         }
                         continue;
                     }
                     // Every other pixel along the line, counted from its start.
                     const std::int64_t along = from.x <= to.x ? 1 : -1;
                     for (std::int64_t x = a; x <= b; ++x) {
                         const std::int64_t i = steep ? index : index + along * (x - x0);
                         if (i % 2 == 0) {
                             line[x] = value;
                         }
                     }
                 }
             });
}

void QtCanvas::line(PixelPoint from, PixelPoint to) {
    detach();
    penLine(from, to);
}

void QtCanvas::invertLine(PixelPoint from, PixelPoint to) {
    detach();
    lineRuns(from, to, area_.top, area_.bottom,
             [&](std::int64_t y, std::int64_t x0, std::int64_t x1, std::int64_t) {
                 const std::int64_t b = std::min<std::int64_t>(x1, area_.right - 1);
                 for (std::int64_t x = std::max<std::int64_t>(x0, area_.left); x <= b; ++x) {
                     invert(x, y);
                 }
             });
}

void QtCanvas::polyline(std::span<const PixelPoint> points) {
    detach();
    for (std::size_t i = 1; i < points.size(); ++i) {
        penLine(points[i - 1], points[i]);
    }
}

void QtCanvas::penDot(std::int64_t x, std::int64_t y) {
    const int lo = -penReach(pen_.width).before;
    const int hi = penReach(pen_.width).after;
    for (int dy = lo; dy <= hi; ++dy) {
        for (int dx = lo; dx <= hi; ++dx) {
            put(x + dx, y + dy, pen_.colour);
        }
    }
}

void QtCanvas::rectangle(const Rect& r) {
    detach();
    if (r.right == r.left && r.bottom == r.top) {
        // A rectangle shrunk to a point leaves the pen's dot there.
        if (pen_.style != Pen::Style::None) {
            penDot(r.left, r.top);
        }
        return;
    }
    if (r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    const bool thinSolidPen = pen_.style == Pen::Style::Solid && pen_.width == 1;
    if (brush_.style == Brush::Style::Solid) {
        // The outline covers the border when there is a thin pen; fill only the inside then.
        const std::int32_t inset = thinSolidPen ? 1 : 0;
        fillRect({r.left + inset, r.top + inset, r.right - inset, r.bottom - inset}, brush_.colour);
    } else if (brush_.style != Brush::Style::None) {
        const std::int64_t left = std::max(r.left, area_.left);
        const std::int64_t right = std::min(r.right, area_.right) - 1;
        for (std::int64_t y = std::max(r.top, area_.top); y < std::min(r.bottom, area_.bottom);
             ++y) {
            brushRun(y, left, right, brush_);
        }
    }
    if (pen_.style == Pen::Style::None) {
        return;
    }
    if (thinSolidPen) {
        frameRect(r, pen_.colour);
        return;
    }
    const std::int32_t right = r.right - 1;
    const std::int32_t bottom = r.bottom - 1;
    penLine({r.left, r.top}, {right, r.top});
    penLine({right, r.top}, {right, bottom});
    penLine({right, bottom}, {r.left, bottom});
    penLine({r.left, bottom}, {r.left, r.top});
}

void QtCanvas::rectangles(std::span<const Rect> rects) {
    const bool thinSolidPen = pen_.style == Pen::Style::Solid && pen_.width == 1;
    if (!thinSolidPen || brush_.style != Brush::Style::Solid) {
        Canvas::rectangles(rects);
        return;
    }
    detach();
    const QRgb edge = toRgb(pen_.colour);
    const QRgb inside = toRgb(brush_.colour);
    for (const Rect& r : rects) {
        if (r.right <= r.left || r.bottom <= r.top) {
            rectangle(r); // a point leaves the pen's dot; anything else empty draws nothing
            continue;
        }
        const std::int64_t a = std::max(r.left, area_.left);
        const std::int64_t b = std::min(r.right, area_.right); // columns [a, b)
        if (a >= b) {
            continue;
        }
        const std::int64_t last = std::int64_t{r.right} - 1;
        const std::int64_t end = std::min(r.bottom, area_.bottom);
        for (std::int64_t y = std::max(r.top, area_.top); y < end; ++y) {
            QRgb* row = pixels_ + y * stride_;
            const bool border = y == r.top || y == std::int64_t{r.bottom} - 1;
            setPixels(row + a, b - a, border ? edge : inside);
            if (r.left >= a) {
                row[r.left] = edge;
            }
            if (last < b) {
                row[last] = edge;
            }
        }
    }
}

void QtCanvas::roundRect(const Rect& r, int cornerWidth, int cornerHeight) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (clip_) {
        painter.setClipRect(clip_->left, clip_->top, clip_->width(), clip_->height());
    }
    painter.setPen(pen_.style == Pen::Style::None ? QPen(Qt::NoPen)
                                                  : QPen(toColor(pen_.colour), pen_.width));
    painter.setBrush(brush_.style == Brush::Style::Solid ? QBrush(toColor(brush_.colour))
                                                         : QBrush(Qt::NoBrush));
    painter.drawRoundedRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1), cornerWidth / 2.0,
                            cornerHeight / 2.0);
    painter.end();
    clearUpperVectorState();
}

void QtCanvas::ellipse(const Rect& r) {
    QPainter painter(&image_);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (clip_) {
        painter.setClipRect(clip_->left, clip_->top, clip_->width(), clip_->height());
    }
    QPen pen =
        pen_.style == Pen::Style::None ? QPen(Qt::NoPen) : QPen(toColor(pen_.colour), pen_.width);
    if (pen_.style == Pen::Style::Dotted) {
        pen.setStyle(Qt::DotLine);
    }
    painter.setPen(pen);
    painter.setBrush(brush_.style == Brush::Style::Solid ? QBrush(toColor(brush_.colour))
                                                         : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
    painter.end();
    clearUpperVectorState();
}

void QtCanvas::fillRect(const Rect& r, Colour colour) {
    fillValue(r, toRgb(colour));
}

void QtCanvas::clearToTransparent(const Rect& r) {
    fillValue(r, 0);
}

void QtCanvas::fillValue(const Rect& r, QRgb value) {
    detach();
    const Rect& area = area_;
    const std::int64_t left = std::max(r.left, area.left);
    const std::int64_t right = std::min(r.right, area.right);
    const std::int64_t top = std::max(r.top, area.top);
    const std::int64_t bottom = std::min(r.bottom, area.bottom);
    if (left >= right || top >= bottom) {
        return;
    }
    const auto byte = static_cast<std::uint8_t>(value);
    if (value != byte * 0x01010101u) {
        for (std::int64_t y = top; y < bottom; ++y) {
            setPixels(pixels_ + y * stride_ + left, right - left, value);
        }
        return;
    }
    // White (the background, 0xFFFFFFFF with its opaque alpha) and transparent repeat one byte,
    // which the C library's memset stores faster than a loop of words; whole rows are one block.
    const auto rowBytes = static_cast<std::size_t>(right - left) * 4;
    if (left == 0 && right == stride_) {
        std::memset(pixels_ + top * stride_, byte,
                    rowBytes * static_cast<std::size_t>(bottom - top));
        return;
    }
    for (std::int64_t y = top; y < bottom; ++y) {
        std::memset(pixels_ + y * stride_ + left, byte, rowBytes);
    }
}

void QtCanvas::frameRect(const Rect& r, Colour colour) {
    if (r.right <= r.left || r.bottom <= r.top) {
        return;
    }
    fillRect({r.left, r.top, r.right, r.top + 1}, colour);
    fillRect({r.left, r.bottom - 1, r.right, r.bottom}, colour);
    fillRect({r.left, r.top, r.left + 1, r.bottom}, colour);
    fillRect({r.right - 1, r.top, r.right, r.bottom}, colour);
}

void QtCanvas::setPixelRatio(double ratio) {
    if (ratio != pixelRatio_) {
        pixelRatio_ = ratio;
        textCache_.clear(); // stamped at the old size
    }
}

void QtCanvas::invertSnapMarker(std::int32_t x, std::int32_t y) {
    detach();
    const int size = deviceLength(15, pixelRatio_);
    for (int row = 0; row < size; ++row) {
        const char* cells = kSnapMarkerRows[row * 15 / size];
        for (int col = 0; col < size; ++col) {
            if (cells[col * 15 / size] == 'X') {
                invert(static_cast<std::int64_t>(x) + col, static_cast<std::int64_t>(y) + row);
            }
        }
    }
}

// Text is drawn without antialiasing, so a line of it is a fixed set of pixels: drawn once onto
// white with a margin round it, the pixels it set are kept and stamped while the text stays the
// same (the status box repaints the same lines on every paint). The box is white under them.
const QtCanvas::TextStamp& QtCanvas::textStamp(const std::string& utf8) {
    if (const auto it = textCache_.find(utf8); it != textCache_.end()) {
        return it->second;
    }
    if (textCache_.size() >= kMaxCachedTexts) {
        textCache_.clear(); // the readouts change with the pointer; old lines are not reused
    }
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(deviceLength(12, pixelRatio_));
    font.setStyleStrategy(QFont::NoAntialias);
    const QFontMetrics metrics(font);
    const QString text = QString::fromUtf8(utf8.c_str());
    const int margin = metrics.height();
    QImage scratch(metrics.horizontalAdvance(text) + 2 * margin, metrics.height() + 2 * margin,
                   QImage::Format_RGB32);
    scratch.fill(Qt::white);
    {
        QPainter painter(&scratch);
        painter.setRenderHint(QPainter::TextAntialiasing, false);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(margin, margin + metrics.ascent(), text);
    }
    clearUpperVectorState();
    TextStamp stamp;
    for (int y = 0; y < scratch.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(scratch.constScanLine(y));
        for (int x = 0; x < scratch.width(); ++x) {
            if (row[x] != qRgb(255, 255, 255)) {
                stamp.pixels.push_back({x - margin, y - margin, row[x]});
            }
        }
    }
    return textCache_.emplace(utf8, std::move(stamp)).first->second;
}

void QtCanvas::text(std::int32_t x, std::int32_t y, const std::string& utf8) {
    detach();
    for (const TextStamp::Pixel& p : textStamp(utf8).pixels) {
        const std::int64_t px = std::int64_t{x} + p.dx;
        const std::int64_t py = std::int64_t{y} + p.dy;
        if (inside(px, py)) {
            pixels_[py * stride_ + px] = p.value;
        }
    }
}

void QtCanvas::drawReference(const ReferenceLayer& layer) {
    detach();
    forEachReferencePixel(layer, area_, [&](std::int32_t x, std::int32_t y, std::uint32_t argb) {
        // The picture's pixels are 0xFFRRGGBB, the image's colour bytes in the same order.
        QRgb& out = pixels_[y * stride_ + x];
        out = 0xFF000000u | mixColours(out, argb, referenceWeight(layer.opacity, argb >> 24));
    });
}

void QtCanvas::replaceWithPixels(std::span<const std::uint8_t> pixels, std::int32_t w,
                                 std::int32_t h, std::size_t rowBytes, int bitsPerPixel) {
    detach();
    const std::int64_t rows = std::min<std::int64_t>(h, area_.bottom);
    const std::int64_t left = area_.left;
    const std::int64_t cols = std::min<std::int64_t>(w, area_.right) - left;
    if (rows < area_.bottom || cols < area_.right - left) {
        fillRect(area_, 0x00FFFFFF); // parts the buffer does not cover
    }
    if (cols <= 0) {
        return;
    }
    const std::size_t bpp = static_cast<std::size_t>(bitsPerPixel / 8);
    for (std::int64_t y = area_.top; y < rows; ++y) {
        const std::size_t rowStart =
            static_cast<std::size_t>(y) * rowBytes + static_cast<std::size_t>(left) * bpp;
        if (rowStart + static_cast<std::size_t>(cols) * bpp > pixels.size()) {
            return;
        }
        const std::uint8_t* p = pixels.data() + rowStart;
        QRgb* out = pixels_ + y * stride_ + left;
        if (bitsPerPixel == 32) {
            // B, G, R, 0xFF is already this image's own byte order.
            std::memcpy(out, p, static_cast<std::size_t>(cols) * 4);
            continue;
        }
        for (std::int64_t x = 0; x < cols; ++x, p += bpp) {
            if (bitsPerPixel == 16) {
                const int word = p[0] | (p[1] << 8);
                out[x] =
                    qRgb(((word >> 11) & 0x1F) << 3, ((word >> 5) & 0x3F) << 2, (word & 0x1F) << 3);
            } else {
                out[x] = qRgb(p[2], p[1], p[0]);
            }
        }
    }
}

} // namespace fcw
