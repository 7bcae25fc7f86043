#pragma once

#include "model/triangle.h"
#include "render/camera.h"
#include "render/reference_layer.h"
#include "render/view_options.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace fcw {

// A software rasteriser with a per-pixel depth buffer, used instead of the painter's
// back-to-front drawing when exact hidden-surface removal is wanted. It fills front-facing
// triangles in their shaded colour into a pixel buffer laid out like a screen bitmap:
//   16 bits: RGB565, little-endian;
//   24 bits: B, G, R, each row padded to an even number of bytes;
//   32 bits: B, G, R, and a fourth byte left at its cleared value 0xFF.
// Depths are single-precision and larger means nearer. Nothing is ever written outside the
// buffers: they grow when the view does.
// The pixel depth of the view's back buffer, which the depth-buffer path renders into.
inline constexpr int kBackBufferBitsPerPixel = 32;

class DepthBufferRenderer {
  public:
    static constexpr std::int64_t kMaxWalk = std::int64_t{1} << 24;

    // Stores the view size, resets the spans and clears the depth buffer and the pixels of the
    // new size. Called on every resize of the view.
    void resize(const Rect& clientRect);

    // Whether prepare() can render in a pixel depth: 16, 24 or 32 bits.
    static constexpr bool supportsBitsPerPixel(int bits) {
        return bits == 16 || bits == 24 || bits == 32;
    }

    // Per-paint set-up: grows the buffers if the view outgrew them, chooses the pixel layout,
    // clears the picture to white and the depth buffer to "infinitely far". Returns false for
    // a pixel depth other than 16, 24 or 32 bits (nothing can be rendered then).
    bool prepare(int bitsPerPixel);

    // Grid lines every `spacing` model units, the axes through the origin and the depth square,
    // drawn without a depth test so triangles cover them.
    void drawGrid(int spacing, const Camera& camera);

    // Whether the triangle at lastIndex is a finished one or the provisional triangle of the
    // drawing tool, which is not drawn.
    enum class LastTriangle { Finished, Provisional };

    // Brings the triangles renderTriangles draws up to date, before the paint: the screen
    // extent of each front-facing one (normal.x > 0.0001; a provisional last triangle is left
    // out) and the shaded colour of those whose extent reaches the view.
    // With `backFaces` the back-facing ones (normal.x < -0.0001) get their extent too; they
    // are filled in kBackFaceRed, unshaded.
    void prepareTriangles(std::span<Triangle> viewTriangles, int lastIndex, LastTriangle last,
                          double brightness, const Camera& camera, bool backFaces = false) const;

    // Fills triangles 0 .. lastIndex in index order (not depth order), as prepareTriangles
    // left their screen extents and shaded colours. A provisional last triangle, every
    // triangle with normal.x <= 0.0001 and those whose extent misses the view are skipped.
    // With `backFaces` those with normal.x < -0.0001 are filled too, in kBackFaceRed.
    void renderTriangles(std::span<const Triangle> viewTriangles, int lastIndex, LastTriangle last,
                         const Camera& camera, bool backFaces = false);

    // One whole paint: what prepare(), drawGrid() (unless gridSpacing is 0) and
    // renderTriangles() draw one after the other, the same picture, drawn in bands of rows
    // that fit the cache, shared with a helper thread when `concurrent`. Every band draws only
    // its own rows, so the picture is the same whichever thread draws which band.
    struct Frame {
        std::span<const Triangle> triangles;
        int lastIndex = -1;
        LastTriangle last = LastTriangle::Finished;
        const Camera* camera = nullptr;
        int gridSpacing = 0;
        int bitsPerPixel = kBackBufferBitsPerPixel;
        // Called once a band's rows [first, end) are finished, by the thread that drew them
        // (worker 0 is the caller's, 1 the helper), while they are still in the cache.
        std::function<void(int worker, std::int32_t first, std::int32_t end)> bandDone;
        // A reference image laid over the white before the grid and the triangles; none when
        // null.
        const ReferenceLayer* reference = nullptr;
        bool backFaces = false; // fill the back faces red too, as renderTriangles does
    };
    bool renderFrame(const Frame& frame, bool concurrent = true);
    // A one-pixel line with both end points, clipped to the view, no depth test. False only
    // when no pixel layout is chosen.
    bool drawLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                  Colour colour);

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    int bitsPerPixel() const { return bitsPerPixel_; }
    int bytesPerPixel() const { return bitsPerPixel_ / 8; }
    // Row length in bytes of the current layout.
    std::size_t rowBytes() const;
    // The picture: height() rows of rowBytes() bytes.
    std::span<const std::uint8_t> pixels() const {
        return {pixels_.data(), rowBytes() * static_cast<std::size_t>(height_)};
    }
    float depthAt(std::int32_t x, std::int32_t y) const {
        return depth_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                      static_cast<std::size_t>(x)];
    }

    // Visits the pixels of the integer line walk from a to b, both ends included, in walk order.
    // A line longer than kMaxWalk pixels (only coordinates far outside any screen produce one)
    // is not walked at all, so absurd input cannot stall a paint.
    template <typename Visit> static void walkLine(PixelPoint a, PixelPoint b, Visit&& visit);

  private:
    struct Span {
        std::int32_t xMin = 0;
        std::int32_t xMax = 0;
    };

    void ensureCapacity();
    // White pixels and "infinitely far" depths in rows [rowFirst, rowEnd).
    void clearRows(std::int32_t rowFirst, std::int32_t rowEnd);
    // drawLine, drawGrid and renderTriangles for the rows [rowFirst, rowEnd) only.
    void drawLineRows(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                      Colour colour, std::int32_t rowFirst, std::int32_t rowEnd);
    void drawGridRows(int spacing, const Camera& camera, std::int32_t rowFirst,
                      std::int32_t rowEnd);
    void renderRows(std::span<const Triangle> viewTriangles, int lastIndex, LastTriangle last,
                    const Camera& camera, bool backFaces, std::int32_t rowFirst,
                    std::int32_t rowEnd);
    void writePixel(std::int32_t x, std::int32_t y, Colour colour);
    void outlineSpans(const Triangle& tri, const Camera& camera, std::int32_t firstRow,
                      std::int32_t endRow);
    // Whether a triangle's screen extent reaches the view.
    bool reachesView(const Triangle& tri) const {
        return !(tri.screenRight < 0 || tri.screenBottom < 0 || tri.screenLeft > width_ ||
                 tri.screenTop > height_);
    }

    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    int bitsPerPixel_ = 32;
    std::vector<Span> spans_;
    std::vector<float> depth_;
    std::vector<std::uint8_t> pixels_;
};

template <typename Visit>
void DepthBufferRenderer::walkLine(PixelPoint a, PixelPoint b, Visit&& visit) {
    const std::int64_t dx = static_cast<std::int64_t>(a.x) - b.x;
    const std::int64_t dy = static_cast<std::int64_t>(a.y) - b.y;
    bool steep;
    bool oppositeSigns = false;
    if (dx == 0) {
        steep = true;
    } else if (dy == 0) {
        steep = false;
    } else {
        oppositeSigns = (dx > 0) != (dy > 0);
        const std::int64_t adx = dx < 0 ? -dx : dx;
        const std::int64_t ady = dy < 0 ? -dy : dy;
        steep = oppositeSigns ? !(adx > ady) : !(adx >= ady);
    }
    const std::int64_t minX = std::min(a.x, b.x);
    const std::int64_t maxX = std::max(a.x, b.x);
    const std::int64_t minY = std::min(a.y, b.y);
    const std::int64_t maxY = std::max(a.y, b.y);
    // Start point and directions: same-sign (and axis-parallel) segments run from (min x,
    // min y) forward on both axes; opposite-sign flat ones from (max x, min y) with x falling;
    // opposite-sign steep ones from (min x, max y) with y falling.
    std::int64_t x = minX;
    std::int64_t y = minY;
    std::int64_t stepX = 1;
    std::int64_t stepY = 1;
    if (oppositeSigns && !steep) {
        x = maxX;
        stepX = -1;
    } else if (oppositeSigns && steep) {
        y = maxY;
        stepY = -1;
    }
    const std::int64_t major = steep ? maxY - minY : maxX - minX;
    const std::int64_t minor = steep ? maxX - minX : maxY - minY;
    if (major > kMaxWalk) {
        return;
    }
    std::int64_t error = minor / 2;
    visit(x, y);
    for (std::int64_t step = 0; step < major; ++step) {
        error += minor;
        const bool advanceMinor = error >= major;
        if (advanceMinor) {
            error -= major;
        }
        if (steep) {
            y += stepY;
            if (advanceMinor) {
                x += stepX;
            }
        } else {
            x += stepX;
            if (advanceMinor) {
                y += stepY;
            }
        }
        visit(x, y);
    }
}

} // namespace fcw
