#pragma once

#include "editor/pane.h"
#include "render/scene_frame.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace fcw {

class Editor;

// One pane's frame: what one paint of it draws and what the paint leaves for input.
struct PaneFrame {
    // What the paint draws. Its draw order views lastPaint.drawOrder (or, once recorded, the
    // pane's copy) and its triangles the store's view list.
    SceneFrame scene;
    // What the next event in the pane needs from this paint.
    LastPaint lastPaint;
    // The pane's camera with the origin's window position of this frame (computeCentre).
    Camera camera;
};

// Where the pointer's overlays sit in a frame's pixels (the window's, or a scaled picture's):
// the pointer, the range tool's band and grab box, the sphere's rectangle.
struct PointerPlaces {
    PixelPoint lastPointer;
    Rect band;
    Rect grabBox;
    Rect sphereRectangle;
};

// Marks `at` with the snap marker: where a click would land.
void addSnapMarker(SceneFrame& frame, PixelPoint at);

// The frame of `pane`, worked out from the editor's state and writing nothing: the origin's
// window position, CentreBox, the back-to-front draw order, the status box and its
// rectangle, the tool's preview, the markers. It asks the host for the Shift key once. The
// triangles' shaded colours are not worked out here (see preparePaint).
// `pointerRatio` places what the pointer placed (the rubber band, a sphere's rectangle, the
// grab box, the snap marker and the rubber line) in a picture that many times as fine.
PaneFrame frameFor(const Editor& editor, const Pane& pane, double pointerRatio = 1.0);

// The one step before every paint of a pane, run by whoever paints it (the window, the print
// path, the batch player and the benchmarks alike): the pane's frame, then what is kept of it
// for input (the camera's origin position and the pane's LastPaint) and the shaded colours of
// what the frame draws (in the store's view list, or the depth renderer's). It opens no
// dialog. Returns what the paint draws; it views the store's view list and the pane's draw
// order, so it is stale after the next edit. Running it twice on the same state changes
// nothing the second time.
SceneFrame preparePaint(Editor& editor, Pane& pane);

// What preparePaint keeps of the frame for input, without what the paint draws: for a window
// that paints later (update()), so the next event sees the frame the paint will show.
void recordFrame(Editor& editor, Pane& pane);

// preparePaint for a picture `ratio` device pixels per window pixel (a scaled screen or a
// printer), drawn with `device`, the pane's camera scaled (deviceCamera): what input keeps is
// recorded from the window's frame, as preparePaint does; the picture is the frame at the
// device camera with the pointer's overlays moved to their device places. Nothing is saved
// and restored: the pane keeps the window's frame. At ratio 1 it is preparePaint.
SceneFrame prepareScaledPaint(Editor& editor, Pane& pane, const Camera& device, double ratio);

// A pane's copy of the model turned by its own camera (the quad layout's panes beside the
// active one), kept between paints: it is turned again only when the model or the camera's
// angles changed since.
struct TurnedModel {
    std::unique_ptr<MeshStore> store;
    double verticalAxisAngle = 0.0;
    double horizontalAxisAngle = 0.0;
    // Kept until the store is turned again: its back-to-front order of slots 0 .. orderLast
    // (-2 before the first sort), and what the last shading of its view list covered (the
    // order up to shadedLast, leaving out shadedHidden, at shadedBrightness; -2: nothing).
    std::vector<std::int16_t> order;
    int orderLast = -2;
    int shadedLast = -2;
    int shadedHidden = -2;
    double shadedBrightness = 0.0;
};

// prepareScaledPaint for a pane beside the active one (the quad layout). The store's view list
// stays the active pane's: `turned` holds the model turned by this pane's camera, and the
// frame views it, so it must outlive the paint. The frame shows the model and the vertex
// markers, no tool's preview, snap marker, highlight or status box; what input keeps is
// recorded in the pane.
SceneFrame prepareOtherPanePaint(Editor& editor, Pane& pane, TurnedModel& turned,
                                 const Camera& device, double ratio);

// The depth-buffer display needs a pixel depth its renderer supports. Decided whenever the
// pixel depth or the display mode is set, never in a paint: with the display on, frame mode 3
// and an unsupported depth, the display is turned off, with a message. (A frame that meets an
// unsupported depth all the same draws back to front.)
void settleDepthDisplay(Editor& editor);

// preparePaint for the active pane.
SceneFrame stepFrame(Editor& editor);

// Sorts the active pane's draw order by the store's depth keys, as its next paint will. While
// the range tool is busy, the free slot after the last triangle is included too.
void sortByDepth(Editor& editor);

// The last draw-order position a pick in `pane` looks at: the sorted range (which may hold the
// free slot after the last triangle), or the whole model when it grew since the last sort.
int drawOrderScanLast(const Pane& pane, int lastIndex);

// The status box's text lines: triangle count, both view angles in degrees, the colour label
// and the pointer position (up and away from the viewer positive).
std::vector<StatusLine> statusLines(const Editor& editor, const Camera& camera);

// The status box: 390 x 100 pixels in the top-left corner of `client`, or in the bottom-right
// one when statusCorner is 4.
Rect statusBoxRectFor(const Editor& editor, const Rect& client);

} // namespace fcw
