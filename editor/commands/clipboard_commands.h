#pragma once

namespace fcw {

class Editor;

// Copy, cut, delete and paste of whole-selected triangles through the work file, which other
// running copies of the program share. Triangles travel in view coordinates, so a paste keeps
// their on-screen shape whatever the camera is then.
void copyToWorkFile(Editor& editor);       // 32846, 32854
void cutToWorkFile(Editor& editor);        // 32845, 32855
void deleteWholeTriangles(Editor& editor); // 32848, 32856
void pasteWorkFile(Editor& editor);        // 32847, 32857

bool canCopy(const Editor& editor);
// The paste enabling rule: the work file exists, has the right header and holds triangles.
bool workFileHasTriangles(const Editor& editor);

} // namespace fcw
