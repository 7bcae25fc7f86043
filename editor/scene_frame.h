#pragma once

namespace fcw {

class Editor;

// The part of every repaint that updates state others rely on: the origin's window position
// (the only place it is recomputed), CentreBox, kept centred on the client area, and the
// back-to-front drawOrder.
void prepareFrame(Editor& editor);

// Sorts the editor's drawOrder by the store's depth keys. While a tool other than drawing or
// sphere has an operation under way, the free slot after the last triangle is included too.
void sortByDepth(Editor& editor);

// The last drawOrder position a pick looks at: the sorted range (which may hold the free slot
// after the last triangle), or the whole model when it grew since the last sort.
int drawOrderScanLast(const Editor& editor);

} // namespace fcw
