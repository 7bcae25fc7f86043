#pragma once

#include "model/triangle.h"
#include "render/camera.h"
#include "render/reference_layer.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace fcw {

// The drawing surface of the scene painter, with the pixel rules the painter is written for:
// - Pixel (x, y) is the unit square whose top-left corner is (x, y). No antialiasing.
// - Lines include their start pixel and exclude their end pixel; a 1-pixel pen draws exactly
//   the pixels of the line, wider pens are centred on it.
// - Filled shapes (Rectangle, RoundRect, Ellipse) cover left <= x < right, top <= y < bottom;
//   their outline is drawn with the current pen inside that box, then the interior is filled
//   with the current brush.
// - FillRect and FrameRect use the given brush colour and exclude the right and bottom edge.
// - Polygon (convex: the painter draws triangles) fills every pixel its 1-pixel outline
//   encloses, the outline's own pixels included, with the current brush, then outlines with
//   the current pen. So a fill in the pen's colour shows no seam and a black outline has no
//   fill outside it.
// - Rectangle with both corners at one point draws the pen's dot there.
// - A pen of width w covers (w - 1) / 2 pixels on one side of the line and w / 2 on the other
//   (penReach), rows above and below for flat lines, columns left and right for steep ones.
// Colours are 0x00BBGGRR.
struct Pen {
    enum class Style { Solid, Dotted, None };
    Style style = Style::Solid;
    int width = 1;
    Colour colour = 0;
};

// How far a pen of `width` reaches across its line: from -before to +after pixels.
struct PenReach {
    int before;
    int after;
};
constexpr PenReach penReach(int width) {
    const int w = width < 1 ? 1 : width;
    return {(w - 1) / 2, w / 2};
}

struct Brush {
    enum class Style { Solid, BackwardDiagonalHatch, None };
    Style style = Style::Solid;
    Colour colour = 0;
};

struct LineSegment {
    PixelPoint from;
    PixelPoint to;
};

class Canvas {
  public:
    virtual ~Canvas() = default;

    virtual std::int32_t width() const = 0;
    virtual std::int32_t height() const = 0;

    virtual void setPen(const Pen& pen) = 0;
    virtual void setBrush(const Brush& brush) = 0;
    // Device pixels per window pixel (the frame camera's pixelRatio): the snap marker and the
    // text are drawn that many times their window size.
    virtual void setPixelRatio(double /*ratio*/) {}
    // Restricts all drawing to `clip`; nullptr removes the restriction.
    virtual void setClip(const Rect* clip) = 0;

    virtual void line(PixelPoint from, PixelPoint to) = 0;
    // Inverts every pixel a 1-pixel line from `from` to `to` covers (raster mode NOT).
    virtual void invertLine(PixelPoint from, PixelPoint to) = 0;
    virtual void polyline(std::span<const PixelPoint> points) = 0;
    // line() for each of `segments` in turn, with the same pen.
    virtual void lines(std::span<const LineSegment> segments) {
        for (const LineSegment& s : segments) {
            line(s.from, s.to);
        }
    }
    virtual void polygon(std::span<const PixelPoint> points) = 0;
    virtual void rectangle(const Rect& r) = 0;
    // rectangle() for each of `rects` in turn, with the same pen and brush.
    virtual void rectangles(std::span<const Rect> rects) {
        for (const Rect& r : rects) {
            rectangle(r);
        }
    }
    virtual void roundRect(const Rect& r, int cornerWidth, int cornerHeight) = 0;
    virtual void ellipse(const Rect& r) = 0;
    virtual void fillRect(const Rect& r, Colour colour) = 0;
    // fillRect(r, colour), then lines(segments) with the current pen. A canvas may write the
    // vertical lines row by row as it fills.
    virtual void fillRectThenLines(const Rect& r, Colour colour,
                                   std::span<const LineSegment> segments) {
        fillRect(r, colour);
        lines(segments);
    }
    virtual void frameRect(const Rect& r, Colour colour) = 0;
    // Clears `r` to no colour at all, for pictures with a transparent background; a surface
    // without transparency fills it white, the view's background.
    virtual void clearToTransparent(const Rect& r) { fillRect(r, 0x00FFFFFF); }
    // XORs the 15 x 15 snap marker with its top-left corner at (x, y): white marker pixels
    // invert the picture, black ones leave it unchanged. At a pixel ratio r it is
    // deviceLength(15, r) pixels square, each pixel taking the marker's nearest one.
    virtual void invertSnapMarker(std::int32_t x, std::int32_t y) = 0;
    // Text in the view's font (Japanese capable), black on the existing background, with its
    // top-left corner at (x, y). UTF-8.
    virtual void text(std::int32_t x, std::int32_t y, const std::string& utf8) = 0;
    // Lays a reference image over the picture inside the clip (forEachReferencePixel,
    // blendReference). A surface that cannot read its pixels back draws nothing.
    virtual void drawReference(const ReferenceLayer& /*layer*/) {}
    // A second surface over the same picture with its own pen, brush and clip, for drawing
    // rows that nothing else draws meanwhile: the painter gives it every other band, on a
    // helper thread. nullptr (the default) when the canvas draws on one thread only. The
    // picture must not be resized or replaced while the surface lives.
    virtual std::unique_ptr<Canvas> bandSurface() { return nullptr; }
    // Replaces the picture inside the clip by a pixel buffer of the depth-buffer renderer,
    // which starts at the picture's top-left corner; white where the buffer does not reach.
    virtual void replaceWithPixels(std::span<const std::uint8_t> pixels, std::int32_t width,
                                   std::int32_t height, std::size_t rowBytes, int bitsPerPixel) = 0;
};

// The snap marker, row by row from the top: 'X' white, '.' black. A one-pixel cross through
// the centre and a circle of radius 5.
inline constexpr const char* kSnapMarkerRows[15] = {
    ".......X.......", ".......X.......", ".....XXXXX.....", "....X..X..X....", "...X...X...X...",
    "..X....X....X..", "..X...XXX...X..", "XXXXXXXXXXXXXXX", "..X...XXX...X..", "..X....X....X..",
    "...X...X...X...", "....X..X..X....", ".....XXXXX.....", ".......X.......", ".......X.......",
};

} // namespace fcw
