#pragma once

#include "editor/pane.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace fcw {

class Editor;

// How the view shows the panes: the active one filling it, or all four in a quad (上面 top
// left, 自由視点 top right, 正面 bottom left, 右側面 bottom right).
enum class PaneLayout : std::uint8_t { Single, Quad };

// The panes' places in Editor::panes.
namespace pane_index {
inline constexpr std::size_t kFree = 0;
inline constexpr std::size_t kFront = 1;
inline constexpr std::size_t kRight = 2;
inline constexpr std::size_t kTop = 3;
inline constexpr std::size_t kCount = 4;
} // namespace pane_index

// The four panes at the start: 自由視点 with today's camera, and the orthographic three at
// their fixed angles (正面 0/0, 右側面 vertical-axis +pi/2, 上面 horizontal-axis -pi/2).
std::vector<Pane> initialPanes();

// The pane's name as the dump writes it: "free", "front", "right", "top".
const char* paneName(PaneKind kind);

bool isOrthographic(const Pane& pane);

// The view's whole size in pixels, whatever the layout.
PixelPoint viewSize(const Editor& editor);

// Places the panes in a view of width x height pixels: each pane's origin and its camera's
// client rectangle (its own size, from 0,0). In the single layout the active pane fills the
// view; in the quad the left column is width/2 wide and the top row height/2 high.
void layOutPanes(Editor& editor, std::int32_t width, std::int32_t height);

// Makes `index` the active pane: the operation in progress ends first, the store's view list
// is rebuilt for its camera, and in the single layout it takes the view. Does not repaint.
void setActivePane(Editor& editor, std::size_t index);

// Switches the layout and lays the panes out again. Does not repaint.
void setPaneLayout(Editor& editor, PaneLayout layout);

// The pane whose rectangle holds the view point, if any (the active one in the single layout).
std::optional<std::size_t> paneAt(const Editor& editor, PixelPoint viewPoint);

// A view point in the active pane's own pixels.
PixelPoint inActivePane(const Editor& editor, PixelPoint viewPoint);

// A button press at a view point: in the quad layout the pane under it becomes active first,
// unless an operation is under way (it stays in its pane until it ends). Returns the point in
// the active pane's pixels, for the tool.
PixelPoint pressInPane(Editor& editor, PixelPoint viewPoint);

// The orthographic panes share one zoom and the offsets of the axes they share (正面 and 上面
// model y, 正面 and 右側面 model z, 上面 and 右側面 model x with opposite signs): the others
// follow the active one when it is orthographic.
void followActiveOrthographicPane(Editor& editor);

} // namespace fcw
