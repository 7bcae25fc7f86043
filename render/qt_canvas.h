#pragma once

#include "render/canvas.h"

#include <QImage>

#include <optional>

namespace fcw {

// The drawing surface over a QImage (32 bits per pixel). Lines, rectangles, fills and the
// marker are written pixel by pixel so that they follow the canvas rules exactly; curves and
// text go through QPainter with antialiasing off.
class QtCanvas : public Canvas {
  public:
    QtCanvas(int width, int height);

    const QImage& image() const { return image_; }

    std::int32_t width() const override { return image_.width(); }
    std::int32_t height() const override { return image_.height(); }
    void setPen(const Pen& pen) override { pen_ = pen; }
    void setBrush(const Brush& brush) override { brush_ = brush; }
    void setClip(const Rect* clip) override;
    void line(PixelPoint from, PixelPoint to) override;
    void invertLine(PixelPoint from, PixelPoint to) override;
    void polyline(std::span<const PixelPoint> points) override;
    void polygon(std::span<const PixelPoint> points) override;
    void rectangle(const Rect& r) override;
    void roundRect(const Rect& r, int cornerWidth, int cornerHeight) override;
    void ellipse(const Rect& r) override;
    void fillRect(const Rect& r, Colour colour) override;
    void frameRect(const Rect& r, Colour colour) override;
    void invertSnapMarker(std::int32_t x, std::int32_t y) override;
    void text(std::int32_t x, std::int32_t y, const std::string& utf8) override;
    void replaceWithPixels(std::span<const std::uint8_t> pixels, std::int32_t width,
                           std::int32_t height, std::size_t rowBytes, int bitsPerPixel) override;

    // The pixel at (x, y) as 0x00BBGGRR, for tests.
    Colour pixel(int x, int y) const;

  private:
    void detach();
    bool inside(std::int64_t x, std::int64_t y) const;
    void put(std::int64_t x, std::int64_t y, Colour colour);
    void invert(std::int64_t x, std::int64_t y);
    // The pixels of a line from `from` to `to`, start included, end excluded.
    template <typename Visit> void walk(PixelPoint from, PixelPoint to, Visit&& visit) const;
    void penLine(PixelPoint from, PixelPoint to);
    void fillPolygon(std::span<const PixelPoint> points, const Brush& brush);
    void brushPixel(std::int64_t x, std::int64_t y, const Brush& brush);
    Rect clipRect() const;

    QImage image_;
    // Direct access to the pixels: the image is never shared, so its buffer stays put.
    QRgb* pixels_ = nullptr;
    std::ptrdiff_t stride_ = 0; // pixels per row
    Pen pen_;
    Brush brush_;
    std::optional<Rect> clip_;
    Rect area_{}; // the image bounds cut by the clip rectangle
};

} // namespace fcw
