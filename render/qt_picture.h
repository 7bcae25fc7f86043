#pragma once

#include "render/scene_frame.h"

#include <cstdint>
#include <vector>

namespace fcw {

// Paints `frame` on a Qt canvas of the frame's client size, on the calling thread alone (the
// picture exports run two of these at once), and returns its pixels as rows of 8-bit RGBA with
// straight alpha: transparent where a frame without a background drew nothing.
std::vector<std::uint8_t> rasterisePicture(const SceneFrame& frame);

} // namespace fcw
