#pragma once

#include "editor/dialog_ids.h"
#include "editor/host.h"

#include <optional>
#include <string>

namespace fcw {

class Editor;

// Dialog 402 "回転アニメーションの書き出し": frames (1420), width (1421) and height (1422) in
// pixels, the delay between frames in milliseconds (1423), and a transparent background
// (1424, checked). Opens with 36 frames of 512 x 512 every 60 ms; OK refuses a value outside
// the command line's limits.
class TurntableDialog : public Dialog {
  public:
    static constexpr int kFrames = 1420;
    static constexpr int kWidth = 1421;
    static constexpr int kHeight = 1422;
    static constexpr int kDelay = 1423;
    static constexpr int kTransparent = 1424;

    TurntableDialog();
    std::optional<std::string> validate() override;
    int number(int control) const;
};

// File ▸ "画像として書き出し" (33040): asks for a PNG file and writes the view as it shows the
// model (its size, turn, zoom, display mode and grid), without the status box, markers or
// tool previews.
void exportViewPicture(Editor& editor);

// File ▸ "回転アニメーションの書き出し" (33041): dialog 402, then a file whose type chooses GIF,
// animated PNG or WebP; the model as the view turns it, spun about the vertical axis, under a
// progress dialog that cancels. A cancelled or failed export leaves no file behind.
void exportTurntable(Editor& editor);

} // namespace fcw
