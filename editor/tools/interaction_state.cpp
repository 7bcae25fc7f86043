#include "editor/tools/interaction_state.h"

namespace fcw {

const char* toolModeName(ToolMode mode) {
    switch (mode) {
    case ToolMode::RangeMove:
        return "RangeMove";
    case ToolMode::DrawTriangle:
        return "DrawTriangle";
    case ToolMode::Erase:
        return "Erase";
    case ToolMode::Sphere:
        return "Sphere";
    case ToolMode::Paint:
        return "Paint";
    case ToolMode::OriginMove:
        return "OriginMove";
    case ToolMode::Zoom:
        return "Zoom";
    }
    return "Unknown";
}

} // namespace fcw
