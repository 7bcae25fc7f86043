#pragma once

#include "render/canvas.h"

#include <cstdint>
#include <span>
#include <string>

namespace fcw::testing {

// A canvas that draws nothing: paints run every step of the painter but the pixels.
class NullCanvas : public Canvas {
  public:
    NullCanvas(std::int32_t w, std::int32_t h) : w_(w), h_(h) {}
    std::int32_t width() const override { return w_; }
    std::int32_t height() const override { return h_; }
    void setPen(const Pen&) override {}
    void setBrush(const Brush&) override {}
    void setClip(const Rect*) override {}
    void line(PixelPoint, PixelPoint) override {}
    void invertLine(PixelPoint, PixelPoint) override {}
    void polyline(std::span<const PixelPoint>) override {}
    void polygon(std::span<const PixelPoint>) override {}
    void rectangle(const Rect&) override {}
    void roundRect(const Rect&, int, int) override {}
    void ellipse(const Rect&) override {}
    void fillRect(const Rect&, Colour) override {}
    void frameRect(const Rect&, Colour) override {}
    void invertSnapMarker(std::int32_t, std::int32_t) override {}
    void text(std::int32_t, std::int32_t, const std::string&) override {}
    void replaceWithPixels(std::span<const std::uint8_t>, std::int32_t, std::int32_t, std::size_t,
                           int) override {}
    // Walks the pixels a reference image covers, reading each image pixel it samples (a
    // sample outside the image is a fault the sanitizers see), writing none.
    void drawReference(const ReferenceLayer& layer) override {
        std::uint32_t seen = 0;
        forEachReferencePixel(
            layer, {0, 0, w_, h_},
            [&](std::int32_t, std::int32_t, std::uint32_t argb) { seen ^= argb; });
        sampled += seen;
    }
    std::uint32_t sampled = 0;

  private:
    std::int32_t w_;
    std::int32_t h_;
};

} // namespace fcw::testing
