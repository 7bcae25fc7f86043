#pragma once

namespace fcw {

class Editor;
struct Point3;

// The drawing tool. The first vertex reserves the slot after the model (the mouse handler's
// common start does it, before the snaps look at lastIndex); the third commits the triangle.

// Button-down: vertex clickNumber (1..3) of the triangle at lastIndex becomes clickModelPoint
// divided by the zoom. The third click counts the edit and turns the triangle to face the
// viewer.
void drawTriangleDown(Editor& editor, int clickNumber);

// Space with a typed point (model coordinates): the next vertex, without snapshot, count or
// winding correction. The caller checks the capacity first.
void drawTriangleTypedVertex(Editor& editor, const Point3& point);

} // namespace fcw
