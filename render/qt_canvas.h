#pragma once

#include "render/canvas.h"

#include <QImage>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace fcw {

// The picture's pixel value of a colour (0x00BBGGRR).
inline QRgb toRgb(Colour c) {
    return qRgb(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                static_cast<int>((c >> 16) & 0xFF));
}

// The drawing surface over a QImage (32 bits per pixel). Lines, rectangles, fills and the
// marker are written straight into the image's rows so that they follow the canvas rules
// exactly: lines as runs of whole rows (lineRuns), clipped once per primitive; a polygon's fill
// spans each row between its outline's outermost pixels, so fill and outline meet with neither
// a gap nor an overhang. Curves and text go through QPainter with antialiasing off.
class QtCanvas : public Canvas {
  public:
    QtCanvas(int width, int height);

    const QImage& image() const { return image_; }
    // For drawing over the picture with QPainter; the canvas re-reads its pixels afterwards.
    QImage& mutableImage() { return image_; }

    std::int32_t width() const override { return image_.width(); }
    std::int32_t height() const override { return image_.height(); }
    void setPen(const Pen& pen) override { pen_ = pen; }
    void setBrush(const Brush& brush) override { brush_ = brush; }
    void setPixelRatio(double ratio) override;
    void setClip(const Rect* clip) override;
    void line(PixelPoint from, PixelPoint to) override;
    void invertLine(PixelPoint from, PixelPoint to) override;
    void polyline(std::span<const PixelPoint> points) override;
    // With a solid pen, the vertical lines among `segments` are written in one pass down the
    // rows (the grid's lines).
    void lines(std::span<const LineSegment> segments) override;
    void polygon(std::span<const PixelPoint> points) override;
    void rectangle(const Rect& r) override;
    // With a thin solid pen and a solid brush (the vertex markers), each rectangle is clipped
    // once and written row by row.
    void rectangles(std::span<const Rect> rects) override;
    void roundRect(const Rect& r, int cornerWidth, int cornerHeight) override;
    void ellipse(const Rect& r) override;
    void fillRect(const Rect& r, Colour colour) override;
    // With a solid pen and vertical lines through all the filled rows (the grid on the
    // background), one row is drawn with its lines and copied down the rest.
    void fillRectThenLines(const Rect& r, Colour colour,
                           std::span<const LineSegment> segments) override;
    // Pixels of value 0: alpha 0 once the picture is read as ARGB (see argbImage).
    void clearToTransparent(const Rect& r) override;
    void frameRect(const Rect& r, Colour colour) override;
    void invertSnapMarker(std::int32_t x, std::int32_t y) override;
    void text(std::int32_t x, std::int32_t y, const std::string& utf8) override;
    void drawReference(const ReferenceLayer& layer) override;
    void replaceWithPixels(std::span<const std::uint8_t> pixels, std::int32_t width,
                           std::int32_t height, std::size_t rowBytes, int bitsPerPixel) override;
    // A surface over this canvas's pixels, unless concurrent bands are off.
    std::unique_ptr<Canvas> bandSurface() override;
    // A surface over the pixels of `area` (cut to the picture) of `whole`, which it neither
    // owns nor clears; its origin is the area's top-left corner. It draws bands on two threads
    // when `whole` does. `whole` must outlive it and keep its size.
    static QtCanvas region(QtCanvas& whole, const Rect& area);
    // Whether the painter may draw bands on a second thread (on by default; off draws the same
    // picture on one thread).
    void setConcurrentBands(bool on) { concurrentBands_ = on; }

    // The picture with its alpha: opaque wherever something was drawn, transparent where only
    // clearToTransparent reached. (The canvas draws every colour opaque.)
    QImage argbImage() const;

    // The pixel at (x, y) as 0x00BBGGRR, for tests.
    Colour pixel(int x, int y) const;

  private:
    // A surface over another canvas's pixels, which it neither owns nor clears.
    QtCanvas(QRgb* pixels, int width, int height, qsizetype bytesPerLine, bool concurrentBands);
    void detach();
    void fillValue(const Rect& r, QRgb value);
    bool inside(std::int64_t x, std::int64_t y) const;
    void put(std::int64_t x, std::int64_t y, Colour colour);
    void invert(std::int64_t x, std::int64_t y);
    // The current pen along the line from `from` to `to` (lineRuns), start included, end
    // excluded.
    void penLine(PixelPoint from, PixelPoint to);
    // The pixels of a vertical line of the current (not dotted) pen inside the clip: columns
    // left..right of rows [top, end); empty when top >= end.
    struct Strip {
        std::int64_t left = 0;
        std::int64_t right = -1;
        std::int64_t top = 0;
        std::int64_t end = 0;
    };
    Strip verticalStrip(PixelPoint from, PixelPoint to) const;
    // The current pen's dot (width x width pixels) at a point.
    void penDot(std::int64_t x, std::int64_t y);
    struct TextStamp {
        struct Pixel {
            int dx; // from the text's top-left corner
            int dy;
            QRgb value;
        };
        std::vector<Pixel> pixels;
    };
    static constexpr std::size_t kMaxCachedTexts = 64;
    const TextStamp& textStamp(const std::string& utf8);

    struct Run {
        std::int64_t y;
        std::int64_t x0;
        std::int64_t x1;
    };
    // Fills each row between the leftmost and rightmost pixel of the polygon's outline; the
    // outline's runs inside the clip's rows go to `outline` when it is set.
    void fillPolygon(std::span<const PixelPoint> points, const Brush& brush,
                     std::vector<Run>* outline);
    // A triangle with a solid brush and no pen, or a thin solid pen in `edge`: its three edges
    // are gathered row by row in one pass, then each row is written once, the fill across the
    // outline's outermost pixels and the outline's runs over it. The same pixels as the fill
    // and outline drawn one after the other.
    void solidTriangle(std::span<const PixelPoint> corners, QRgb fill, const QRgb* edge);
    // The brush on row y from column `from` to `to`, both included and inside the clip.
    void brushRun(std::int64_t y, std::int64_t from, std::int64_t to, const Brush& brush);
    Rect clipRect() const;

    QImage image_;
    // Direct access to the pixels: the image is never shared, so its buffer stays put.
    QRgb* pixels_ = nullptr;
    std::ptrdiff_t stride_ = 0; // pixels per row
    Pen pen_;
    Brush brush_;
    std::optional<Rect> clip_;
    Rect area_{}; // the image bounds cut by the clip rectangle
    struct RowSpan {
        std::int64_t left = INT64_MAX;
        std::int64_t right = INT64_MIN;
    };
    std::vector<RowSpan> spans_; // per row of the polygon being filled, kept between fills
    // A row of a solid triangle: its outline's outermost pixels, and the run each edge has in
    // it (each edge has at most one run in a row).
    struct TriangleRow {
        std::int32_t left;
        std::int32_t right;
        std::int32_t runs;
        std::int32_t from[3];
        std::int32_t to[3];
    };
    std::vector<TriangleRow> triangleRows_; // kept between triangles
    std::vector<Strip> strips_;             // the vertical lines of one lines() call
    std::vector<QRgb> rowPattern_;          // one row of fillRectThenLines
    std::vector<Run> outlineRuns_;
    std::unordered_map<std::string, TextStamp> textCache_; // at pixelRatio_
    double pixelRatio_ = 1.0;
    bool concurrentBands_ = true;
};

} // namespace fcw
