#pragma once

#include "editor/host.h"

class QWidget;

namespace fcw {

// A dialog built from the control table: edits, check and radio buttons, push buttons. A refused
// entry is shown over the dialog, which stays open. True when closed with OK.
bool runFormDialog(QWidget* parent, Dialog& model);

} // namespace fcw
