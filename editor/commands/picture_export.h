#pragma once

#include "io/animation_writer.h"
#include "io/atomic_file.h"
#include "model/triangle.h"
#include "render/picture_scene.h"
#include "render/scene_frame.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace fcw {

// Pictures of the model written to files: a still PNG and turntable animations (GIF, animated
// PNG, WebP), for the command line and the window alike.

// The limits every request is held to before any work.
inline constexpr int kMinPictureSide = 16;
inline constexpr int kMaxPictureSide = 4096;
inline constexpr int kMinTurntableFrames = 1;
inline constexpr int kMaxTurntableFrames = 360;
inline constexpr int kMinFrameDelayMs = 10;
inline constexpr int kMaxFrameDelayMs = 10000;

struct TurntableSettings {
    int frames = 36;
    int delayMs = 60;
};

// One command line's request: `--render IN OUT.png [--size WxH] [--turn V,H] [--background
// transparent|RRGGBB]` or `--turntable IN OUT.gif|.png|.webp [--frames N] [--size WxH]
// [--delay MS] [--turn V,H] [--background ...]`.
struct PictureRequest {
    bool turntable = false;
    std::string in;
    std::string out;
    PictureLook look;
    TurntableSettings animation;
};

// The request `arguments` (everything after the program's name, its first the form) make, or
// the one-line reason they make none: an unknown option, a missing or malformed value, a value
// out of its limits, an unknown extension.
struct PictureArguments {
    std::optional<PictureRequest> request;
    std::string error;
};
PictureArguments parsePictureArguments(std::span<const std::string> arguments);

// The usage lines of both forms.
const char* pictureUsage();

// Where a long export stands: called after each frame with the frames done and the frames in
// all; returning false cancels the export.
using PictureProgress = std::function<bool(int done, int total)>;

struct PictureResult {
    bool cancelled = false;
    std::optional<std::string> error; // why nothing was written

    bool written() const { return !cancelled && !error; }
};

// Writes a still PNG of the triangles, fitted to the picture.
PictureResult writeStillPicture(std::span<const TriangleCore> triangles, const PictureLook& look,
                                const std::string& path, const FrameRasteriser& rasterise,
                                const WriteFaults& faults = {});

// Writes a turntable animation in the format of the path's extension. Frames are painted two
// at a time on two threads; the file is built in memory and written whole at the end, so a
// cancelled or failed export leaves no file behind (and a previous file of that name whole).
PictureResult writeTurntable(std::span<const TriangleCore> triangles, const PictureLook& look,
                             const TurntableSettings& animation, const std::string& path,
                             const FrameRasteriser& rasterise, const PictureProgress& progress = {},
                             const WriteFaults& faults = {});

// The command line's request: reads the model (any format the program reads, reduced to the
// store's capacity), then writes the picture. Nothing on success, else the one-line reason.
std::optional<std::string> runPictureRequest(const PictureRequest& request,
                                             const FrameRasteriser& rasterise);

} // namespace fcw
