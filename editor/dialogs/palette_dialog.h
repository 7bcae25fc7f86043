#pragma once

#include "editor/dialog_ids.h"
#include "editor/host.h"
#include "model/triangle.h"

#include <optional>

namespace fcw {

class Editor;

// The palette as a modal dialog: a click on a swatch chooses its colour and closes it.
class PaletteDialog : public Dialog {
  public:
    PaletteDialog() : Dialog(kPaletteDialog) {}
    bool clickAt(int x, int y) override;
    std::optional<Colour> chosen() const { return chosen_; }

  private:
    std::optional<Colour> chosen_;
};

// Runs the palette; on a pick sets currentColour and returns true. Esc or the close box leave
// the colour as it was.
bool choosePaintColour(Editor& editor);

// Command 32797: the palette, then the Paint tool however the palette closed.
void showPaletteAndPaint(Editor& editor);

} // namespace fcw
