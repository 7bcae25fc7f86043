#pragma once

namespace fcw {

class Editor;

// The part of every repaint that updates state others rely on: the origin's window position
// (the only place it is recomputed), CentreBox, kept centred on the client area, and the
// back-to-front drawOrder.
void prepareFrame(Editor& editor);

} // namespace fcw
