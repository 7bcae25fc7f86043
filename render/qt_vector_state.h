#pragma once

namespace fcw {

// Qt's raster code (image fills and copies, polygons, rounded rectangles) runs AVX routines
// that can return with the upper halves of the vector registers still in use. Until something
// clears them, the SSE instructions of code built for the baseline x86-64, which is all of
// ours, pay a state-transition penalty: atan2 was measured at 150 ns instead of 11 after one
// QImage::fill, which made a drag of 3000 triangles spend 10 ms in the polar caches alone.
// This clears them (VZEROUPPER) on processors that have AVX and does nothing elsewhere. It
// changes no value any of our code holds: the lower halves, which SSE uses, are kept.
void clearUpperVectorState();

} // namespace fcw
