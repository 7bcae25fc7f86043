#pragma once

#include "editor/keyboard.h"
#include "model/pixel_geometry.h"

#include <QPointF>
#include <Qt>

class QKeyEvent;

namespace fcw {

// Qt's input in the editor's terms.

// The mouse buttons and modifier keys as the editor's mouse flags.
unsigned flagsOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

// A pointer position in whole pixels.
PixelPoint pointOf(const QPointF& p);

// The editor's key for a key event; keypad digits are told from the row above the letters.
Key keyOf(const QKeyEvent* event);

} // namespace fcw
