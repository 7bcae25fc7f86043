#include "render/depth_buffer_renderer.h"

#include "model/numeric.h"
#include "model/split_range.h"
#include "render/cache_bands.h"
#include "render/canvas.h"
#include "render/device_pixels.h"
#include "render/grid_geometry.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>

namespace fcw {

namespace {

constexpr std::uint8_t kClearedPixelByte = 0xFF; // white, and the 32-bit layout's 4th byte
constexpr std::uint8_t kClearedDepthByte = 0xFE; // 0xFEFEFEFE: far below any real depth

constexpr Colour rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return r | (g << 8) | (b << 16);
}

} // namespace

std::size_t DepthBufferRenderer::rowBytes() const {
    const auto w = static_cast<std::size_t>(width_);
    switch (bitsPerPixel_) {
    case 16:
        return 2 * w;
    case 24:
        return 3 * w + (w & 1);
    default:
        return 4 * w;
    }
}

void DepthBufferRenderer::ensureCapacity() {
    const auto w = static_cast<std::size_t>(std::max(width_, 0));
    const auto h = static_cast<std::size_t>(std::max(height_, 0));
    // Four bytes per pixel plus the 24-bit row padding always fit.
    const std::size_t pixelBytes = (4 * w + 1) * h;
    if (pixels_.size() < pixelBytes) {
        pixels_.assign(pixelBytes, kClearedPixelByte);
    }
    if (depth_.size() < w * h) {
        depth_.resize(w * h);
    }
    if (spans_.size() < h) {
        spans_.resize(h);
    }
}

void DepthBufferRenderer::clearRows(std::int32_t rowFirst, std::int32_t rowEnd) {
    if (rowEnd <= rowFirst || width_ <= 0) {
        return; // an empty view has no buffers to clear (their data() may be null)
    }
    const auto first = static_cast<std::size_t>(rowFirst);
    const auto rows = static_cast<std::size_t>(rowEnd - rowFirst);
    const auto w = static_cast<std::size_t>(width_);
    std::memset(pixels_.data() + first * rowBytes(), kClearedPixelByte, rowBytes() * rows);
    std::memset(depth_.data() + first * w, kClearedDepthByte, sizeof(float) * w * rows);
}

void DepthBufferRenderer::resize(const Rect& clientRect) {
    width_ = std::max(clientRect.right - clientRect.left, 0);
    height_ = std::max(clientRect.bottom - clientRect.top, 0);
    ensureCapacity();
    std::fill(spans_.begin(), spans_.end(), Span{});
    clearRows(0, height_);
}

bool DepthBufferRenderer::prepare(int bitsPerPixel) {
    ensureCapacity();
    const bool supported = supportsBitsPerPixel(bitsPerPixel);
    bitsPerPixel_ = supported ? bitsPerPixel : 32;
    clearRows(0, height_);
    return supported;
}

void DepthBufferRenderer::writePixel(std::int32_t x, std::int32_t y, Colour colour) {
    const std::uint8_t r = colour & 0xFF;
    const std::uint8_t g = (colour >> 8) & 0xFF;
    const std::uint8_t b = (colour >> 16) & 0xFF;
    const auto ux = static_cast<std::size_t>(x);
    const auto uy = static_cast<std::size_t>(y);
    const auto w = static_cast<std::size_t>(width_);
    switch (bitsPerPixel_) {
    case 16: {
        std::uint8_t* p = pixels_.data() + (uy * w + ux) * 2;
        p[0] = static_cast<std::uint8_t>((((g >> 2) & 7) << 5) | (b >> 3));
        p[1] = static_cast<std::uint8_t>((r & 0xF8) | (g >> 5));
        break;
    }
    case 24: {
        std::uint8_t* p = pixels_.data() + (uy * w + ux) * 3 + uy * (w & 1);
        p[0] = b;
        p[1] = g;
        p[2] = r;
        break;
    }
    default: {
        std::uint8_t* p = pixels_.data() + (uy * w + ux) * 4;
        p[0] = b;
        p[1] = g;
        p[2] = r;
        break;
    }
    }
}

bool DepthBufferRenderer::drawLine(std::int32_t x0, std::int32_t y0, std::int32_t x1,
                                   std::int32_t y1, Colour colour) {
    drawLineRows(x0, y0, x1, y1, colour, 0, height_);
    return true;
}

void DepthBufferRenderer::drawLineRows(std::int32_t x0, std::int32_t y0, std::int32_t x1,
                                       std::int32_t y1, Colour colour, std::int32_t rowFirst,
                                       std::int32_t rowEnd) {
    if (x0 == x1 || y0 == y1) {
        // Grid lines and axes: the walk of an axis-parallel line is its whole range, both
        // ends included, so only the part inside the view is visited.
        const bool vertical = x0 == x1;
        const std::int64_t fixed = vertical ? x0 : y0;
        if (vertical ? fixed < 0 || fixed >= width_ : fixed < rowFirst || fixed >= rowEnd) {
            return;
        }
        const std::int64_t from = std::max<std::int64_t>(
            std::min(vertical ? y0 : x0, vertical ? y1 : x1), vertical ? rowFirst : 0);
        const std::int64_t to = std::min<std::int64_t>(
            std::max(vertical ? y0 : x0, vertical ? y1 : x1), (vertical ? rowEnd : width_) - 1);
        for (std::int64_t i = from; i <= to; ++i) {
            writePixel(static_cast<std::int32_t>(vertical ? fixed : i),
                       static_cast<std::int32_t>(vertical ? i : fixed), colour);
        }
        return;
    }
    walkLine({x0, y0}, {x1, y1}, [&](std::int64_t x, std::int64_t y) {
        if (x >= 0 && x < width_ && y >= rowFirst && y < rowEnd) {
            writePixel(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y), colour);
        }
    });
}

void DepthBufferRenderer::drawGrid(int spacing, const Camera& camera) {
    drawGridRows(spacing, camera, 0, height_);
}

void DepthBufferRenderer::drawGridRows(int spacing, const Camera& camera, std::int32_t rowFirst,
                                       std::int32_t rowEnd) {
    auto drawLine = [&](std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                        Colour colour) { drawLineRows(x0, y0, x1, y1, colour, rowFirst, rowEnd); };
    const double zoom = camera.zoom;
    const double ratio = camera.pixelRatio;
    const double stepPixels = spacing * zoom;
    // Grid lines, only while they are at least 4 window pixels apart.
    if (stepPixels >= 4.0 * ratio) {
        const auto offX = static_cast<double>(gridLineOffset(camera.centreX, spacing, zoom));
        const auto offY = static_cast<double>(gridLineOffset(camera.centreY, spacing, zoom));
        const std::uint32_t grey = gridGrey(spacing, zoom / ratio); // by its window spacing
        const Colour colour = rgb(grey, grey, 255);
        // Vertical lines across the width, horizontal ones down the height.
        for (int l = 0; width_ - l * stepPixels > 0 || height_ - l * stepPixels > 0; ++l) {
            if (width_ - l * stepPixels > 0) {
                const std::int32_t x = truncToInt32(l * stepPixels + offX);
                drawLine(x, 0, x, height_, colour);
            }
            if (height_ - l * stepPixels > 0) {
                const std::int32_t y = truncToInt32(l * stepPixels + offY);
                drawLine(0, y, width_, y, colour);
            }
        }
    }
    // Axes, three window pixels wide, and the depth square of as many nested outlines of
    // half-size depth * zoom, outermost first: offsets reach + 1 ... -(reach - 1) at ratio 1.
    const PenReach reach = penReach(deviceLength(3, ratio));
    const Colour axis = rgb(0, 0, 255);
    for (int d = reach.after; d >= -reach.before; --d) {
        const std::int32_t x = truncToInt32(camera.centreX + d);
        drawLine(x, 0, x, height_, axis);
    }
    for (int d = reach.after; d >= -reach.before; --d) {
        const std::int32_t y = truncToInt32(camera.centreY + d);
        drawLine(0, y, width_, y, axis);
    }
    const double depth = camera.depth * zoom;
    const Colour squareColour = camera.depth > 0 ? rgb(0, 0, 0xC0) : rgb(0x9B, 0x9B, 0xFF);
    for (int k = reach.after; k >= -reach.before; --k) {
        const std::int32_t left = truncToInt32(camera.centreX - depth) + k;
        const std::int32_t top = truncToInt32(camera.centreY - depth) + k;
        const std::int32_t right = truncToInt32(depth + camera.centreX) - k;
        const std::int32_t bottom = truncToInt32(depth + camera.centreY) - k;
        drawLine(left, top, right, top, squareColour);
        drawLine(right, top, right, bottom, squareColour);
        drawLine(right, bottom, left, bottom, squareColour);
        drawLine(left, bottom, left, top, squareColour);
    }
}

void DepthBufferRenderer::prepareTriangles(std::span<Triangle> viewTriangles, int lastIndex,
                                           LastTriangle lastKind, double brightness,
                                           const Camera& camera, bool backFaces) const {
    const int last = std::min(lastIndex, static_cast<int>(viewTriangles.size()) - 1);
    for (int t = 0; t <= last; ++t) {
        if (t == lastIndex && lastKind == LastTriangle::Provisional) {
            continue;
        }
        Triangle& tri = viewTriangles[static_cast<std::size_t>(t)];
        if (!(tri.normal.x > 0.0001)) {
            if (backFaces && tri.normal.x < -0.0001) {
                tri.computeScreenExtent(camera.zoom, camera.centreX, camera.centreY);
            }
            continue;
        }
        tri.computeScreenExtent(camera.zoom, camera.centreX, camera.centreY);
        if (reachesView(tri)) {
            tri.shade(brightness);
        }
    }
}

// Each row's leftmost and rightmost pixel of the triangle's outline, rows firstRow .. endRow - 1.
void DepthBufferRenderer::outlineSpans(const Triangle& tri, const Camera& camera,
                                       std::int32_t firstRow, std::int32_t endRow) {
    for (std::int32_t y = firstRow; y < endRow; ++y) {
        spans_[static_cast<std::size_t>(y)] = {std::numeric_limits<std::int32_t>::max(),
                                               -std::numeric_limits<std::int32_t>::max()};
    }
    PixelPoint corner[3];
    for (std::size_t k = 0; k < 3; ++k) {
        corner[k] = {camera.projectX(tri.v[k].y), camera.projectY(tri.v[k].z)};
    }
    auto widen = [&](std::int64_t x, std::int64_t y) {
        if (y >= firstRow && y < endRow) { // only the rows being filled, which no other band has
            Span& s = spans_[static_cast<std::size_t>(y)];
            const auto xi = static_cast<std::int32_t>(x);
            s.xMin = std::min(s.xMin, xi);
            s.xMax = std::max(s.xMax, xi);
        }
    };
    walkLine(corner[0], corner[1], widen);
    walkLine(corner[0], corner[2], widen);
    walkLine(corner[1], corner[2], widen);
}

void DepthBufferRenderer::renderTriangles(std::span<const Triangle> viewTriangles, int lastIndex,
                                          LastTriangle lastKind, const Camera& camera,
                                          bool backFaces) {
    renderRows(viewTriangles, lastIndex, lastKind, camera, backFaces, 0, height_);
}

void DepthBufferRenderer::renderRows(std::span<const Triangle> viewTriangles, int lastIndex,
                                     LastTriangle lastKind, const Camera& camera, bool backFaces,
                                     std::int32_t rowFirst, std::int32_t rowEnd) {
    const auto zoom = static_cast<float>(camera.zoom);
    const auto centreX = static_cast<float>(camera.centreX);
    const auto centreY = static_cast<float>(camera.centreY);
    const int last = std::min(lastIndex, static_cast<int>(viewTriangles.size()) - 1);
    for (int t = 0; t <= last; ++t) {
        if (t == lastIndex && lastKind == LastTriangle::Provisional) {
            continue; // the provisional triangle
        }
        const Triangle& tri = viewTriangles[static_cast<std::size_t>(t)];
        const bool front = tri.normal.x > 0.0001;
        if (!(front || (backFaces && tri.normal.x < -0.0001)) || !reachesView(tri)) {
            continue;
        }
        const std::int32_t firstRow = std::max(tri.screenTop, rowFirst);
        const std::int32_t endRow = std::min({tri.screenBottom, height_, rowEnd});
        if (firstRow >= endRow) {
            continue;
        }
        outlineSpans(tri, camera, firstRow, endRow);

        // The plane's depth under pixel (k, y), times the zoom, in single precision.
        const auto inverse = static_cast<float>(tri.inverseNormalX);
        const auto ny = static_cast<float>(tri.normal.y);
        const auto nz = static_cast<float>(tri.normal.z);
        const auto d = static_cast<float>(tri.planeD);
        const float c = ny * inverse;
        const float b = nz * inverse;
        const float term = (zoom * d - (nz * centreY + centreX * ny)) * inverse;
        // The 16-bit layout fills one column further right.
        const std::int32_t shift = bitsPerPixel_ == 16 ? 1 : 0;
        for (std::int32_t y = firstRow; y < endRow; ++y) {
            const Span& s = spans_[static_cast<std::size_t>(y)];
            if (s.xMin > s.xMax) {
                continue;
            }
            const auto from =
                static_cast<std::int32_t>(std::max<std::int64_t>(std::int64_t{s.xMin} + shift, 0));
            const auto to = static_cast<std::int32_t>(
                std::min<std::int64_t>(std::int64_t{s.xMax} + shift, width_));
            const float rowTerm = b * static_cast<float>(y);
            float* depthRow =
                depth_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
            auto fill = [&](auto write) {
                for (std::int32_t x = from; x < to; ++x) {
                    const float depth = -((c * static_cast<float>(x) + term) + rowTerm);
                    if (depth > depthRow[x]) {
                        depthRow[x] = depth;
                        write(x);
                    }
                }
            };
            const Colour colour = front ? tri.shadedColour : kBackFaceRed;
            const std::uint8_t r = colour & 0xFF;
            const std::uint8_t g = (colour >> 8) & 0xFF;
            const std::uint8_t bl = (colour >> 16) & 0xFF;
            const auto w = static_cast<std::size_t>(width_);
            const auto uy = static_cast<std::size_t>(y);
            if (bitsPerPixel_ == 32) {
                // B, G, R and the fourth byte's cleared 0xFF, stored as one word.
                const std::uint8_t bytes[4] = {bl, g, r, kClearedPixelByte};
                std::uint32_t word;
                std::memcpy(&word, bytes, 4);
                std::uint8_t* row = pixels_.data() + uy * w * 4;
                fill([&](std::int32_t x) {
                    std::memcpy(row + static_cast<std::size_t>(x) * 4, &word, 4);
                });
            } else {
                fill([&](std::int32_t x) { writePixel(x, y, colour); });
            }
        }
    }
}

bool DepthBufferRenderer::renderFrame(const Frame& frame, bool concurrent) {
    ensureCapacity();
    const bool supported = supportsBitsPerPixel(frame.bitsPerPixel);
    bitsPerPixel_ = supported ? frame.bitsPerPixel : 32;
    if (!supported || width_ <= 0) {
        clearRows(0, height_);
        return supported;
    }
    // A band holds its rows' pixels and depths.
    const std::int32_t bandRows = cacheBandRows((bytesPerPixel() + 4) * std::int64_t{width_});
    const std::int32_t bands = height_ <= 0 ? 0 : (height_ - 1) / bandRows + 1;
    std::atomic<std::int32_t> next{0};
    auto drawBands = [&](int worker) {
        for (std::int32_t b = next++; b < bands; b = next++) {
            const std::int32_t first = b * bandRows;
            const std::int32_t end = std::min(height_, first + bandRows);
            clearRows(first, end);
            if (frame.reference != nullptr) {
                const ReferenceLayer& l = *frame.reference;
                forEachReferencePixel(l, {0, first, width_, end},
                                      [&](std::int32_t x, std::int32_t y, std::uint32_t argb) {
                                          writePixel(x, y,
                                                     blendReference(0x00FFFFFF, argb, l.opacity));
                                      });
            }
            if (frame.gridSpacing != 0) {
                drawGridRows(frame.gridSpacing, *frame.camera, first, end);
            }
            renderRows(frame.triangles, frame.lastIndex, frame.last, *frame.camera, frame.backFaces,
                       first, end);
            if (frame.bandDone) {
                frame.bandDone(worker, first, end);
            }
        }
    };
    shareWithHelper(concurrent && bands > 1, drawBands);
    return true;
}

} // namespace fcw
