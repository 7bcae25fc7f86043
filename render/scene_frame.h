#pragma once

#include "model/pixel_geometry.h"
#include "model/triangle.h"
#include "render/camera.h"
#include "render/depth_buffer_renderer.h"
#include "render/reference_layer.h"
#include "render/view_options.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fcw {

struct StatusLine {
    std::int32_t x = 0; // offset from the status box's top-left corner
    std::int32_t y = 0;
    std::string text;
};

// Everything one paint of the view draws, worked out beforehand by the frame step from the
// editor's state. Plain data plus read-only views of the store's view list and draw order,
// which must outlive the frame and stay unchanged while it is painted. All positions are
// window pixels.
struct SceneFrame {
    Camera camera; // with the origin's window position of this frame
    Rect client{};
    ViewOptions view;
    // What the picture is cleared to before the grid and the triangles: the view's white, or
    // none (a transparent background, for pictures written to files).
    std::optional<Colour> background = 0x00FFFFFF;
    // The pane's reference image, laid over the background before the grid and the triangles.
    std::optional<ReferenceLayer> reference;

    // The triangles, drawn back to front: drawOrder[0 .. drawCount] index `triangles`. Their
    // shadedColour is up to date for every one the frame draws.
    std::span<const Triangle> triangles;
    std::span<const std::int16_t> drawOrder;
    int drawCount = -1;
    int hiddenTriangle = -1; // a provisional triangle or a reserved slot, not drawn; -1 none

    // Set when the depth-buffer renderer replaces the whole picture, background and grid
    // included. The renderer is a drawing surface: painting writes its buffers.
    struct DepthPass {
        DepthBufferRenderer* renderer = nullptr;
        int gridSpacing = 0; // model units, 0 for no grid
        int lastIndex = -1;
        int bitsPerPixel = kBackBufferBitsPerPixel; // an unsupported one renders a blank picture
        DepthBufferRenderer::LastTriangle last = DepthBufferRenderer::LastTriangle::Finished;
    };
    std::optional<DepthPass> depthPass;

    // The plane of live symmetry, where the pane sees it edge-on: a thin line over the
    // triangles.
    std::optional<std::array<PixelPoint, 2>> symmetryLine;

    // The active tool's preview; at most the members of one tool are set.
    std::optional<Rect> sphereBox;      // dotted, with the ellipse inside it
    std::vector<PixelPoint> rubberLine; // a triangle being drawn, to the pointer
    std::optional<Rect> rubberBand;     // the range tool's dotted rectangle
    struct MoveBoxes {
        Rect centreBox{};
        Rect grabBox{};
    };
    std::optional<MoveBoxes> moveBoxes; // a selection being moved

    std::vector<Rect> vertexMarkers;     // the emphasised vertices
    std::vector<Rect> selectionMarkers;  // the selected vertices of the range tool
    std::vector<PixelPoint> snapMarkers; // top-left corners of the 15 x 15 snap marker

    struct StatusBox {
        Rect box{};
        std::vector<StatusLine> lines;
        Colour currentColour = 0;
    };
    std::optional<StatusBox> status;

    // The triangle a right click picked, hatched over everything while its menu is up.
    struct Highlight {
        std::array<PixelPoint, 3> corners{};
        Colour colour = 0;
    };
    std::optional<Highlight> highlight;
};

} // namespace fcw
