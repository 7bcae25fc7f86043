#pragma once

// The numbers of the dialogs and popup menus, as the batch player's `answer` and the host's
// dialog calls name them. One list, so that no two take the same number.

namespace fcw {

inline constexpr int kAboutDialog = 100; // the program's picture, name and version, and OK
inline constexpr int kPaletteDialog = 141;
inline constexpr int kNumericInputDialog = 282;
inline constexpr int kTooManyPolygonsDialog = 302; // an edit would pass 3000 triangles
inline constexpr int kTrianglePopupMenu = 306;
inline constexpr int kSelectionPopupMenu = 310;
inline constexpr int kRotateDialog = 313;
inline constexpr int kScaleDialog = 314;
inline constexpr int kNumberInputDialog = 318;
inline constexpr int kReferenceDialog = 400; // a reference image's place, size and look
inline constexpr int kSymmetryPlaneDialog = 401;
inline constexpr int kTurntableDialog = 402;

} // namespace fcw
