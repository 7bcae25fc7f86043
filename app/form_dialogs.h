#pragma once

#include "editor/host.h"

class QWidget;

namespace fcw {

// The editor's modal dialogs drawn from their control table (the numeric input, rotate, scale
// and number dialogs): true when the user pressed OK and the model validated its values.
bool runFormDialog(QWidget* parent, Dialog& model);

// The palette: 125 swatches; a click on one chooses it and closes (true).
bool runPaletteDialog(QWidget* parent, Dialog& model);

} // namespace fcw
