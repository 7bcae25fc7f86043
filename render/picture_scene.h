#pragma once

#include "model/mesh_store.h"
#include "model/triangle.h"
#include "render/scene_frame.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace fcw {

// How a picture of the model looks: its size, the turn, and what lies behind the model.
struct PictureLook {
    int width = 800;
    int height = 600;
    double verticalDegrees = 0.0;     // about the vertical axis, as the Left key turns
    double horizontalDegrees = 0.0;   // about the horizontal axis, as the Up key turns
    std::optional<Colour> background; // 0x00BBGGRR; none: transparent
};

// Paints a frame into RGBA pixels (frame.client's size, straight alpha, rows of width * 4
// bytes). The turntable calls it from two threads at once, each with frames of its own.
using FrameRasteriser = std::function<std::vector<std::uint8_t>(const SceneFrame&)>;

// The share of the picture's smaller side the model's extent takes in a fitted picture.
inline constexpr double kPictureFill = 0.9;

// A model shown alone, for pictures: its own copy of the triangles, moved so the centre of their
// bounding box is the origin, turned and fitted for each frame. Frames show the triangles filled
// with edges and shaded as in the view, with no grid, markers or status box. A frame views this
// object's lists and is stale after the next call.
class PictureScene {
  public:
    explicit PictureScene(std::span<const TriangleCore> triangles);

    // A still: turned, then centred on its picture's bounding box, whose larger side is
    // kPictureFill of the picture's smaller side.
    SceneFrame still(const PictureLook& look);
    // Frame `frame` of `frames` of a turntable: turned by frame * 360 / frames degrees more
    // about the vertical axis. Every frame has the same scale, the bounding sphere about the
    // centre filling kPictureFill of the smaller side, so no frame is clipped whatever the turn.
    SceneFrame turntable(const PictureLook& look, int frame, int frames);

    // Pixels per model unit of the turntable's frames at that size.
    double turntableZoom(int width, int height) const;

  private:
    SceneFrame frame(const PictureLook& look, double zoom, double offsetX, double offsetY);
    void turn(double verticalDegrees, double horizontalDegrees);

    MeshStore store_;
    std::vector<std::int16_t> drawOrder_ = std::vector<std::int16_t>(kTriangleSlots);
    double radius_ = 0.0; // of the bounding sphere about the origin
};

} // namespace fcw
