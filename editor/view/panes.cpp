#include "editor/view/panes.h"

#include "editor/editor.h"
#include "editor/tools/operation.h"
#include "editor/view/frame_step.h"

#include <cmath>

namespace fcw {

namespace {

constexpr double kHalfPi = 1.5707963267948966;

bool holds(const Pane& pane, PixelPoint p) {
    const Rect& r = pane.rect();
    return p.x >= pane.origin.x && p.y >= pane.origin.y && p.x < pane.origin.x + r.width() &&
           p.y < pane.origin.y + r.height();
}

} // namespace

std::vector<Pane> initialPanes() {
    std::vector<Pane> panes(pane_index::kCount);
    panes[pane_index::kFree].kind = PaneKind::Free;
    panes[pane_index::kFront].kind = PaneKind::Front;
    panes[pane_index::kRight].kind = PaneKind::Right;
    panes[pane_index::kRight].camera.verticalAxisAngle = kHalfPi;
    panes[pane_index::kTop].kind = PaneKind::Top;
    panes[pane_index::kTop].camera.horizontalAxisAngle = -kHalfPi;
    return panes;
}

const char* paneName(PaneKind kind) {
    switch (kind) {
    case PaneKind::Front:
        return "front";
    case PaneKind::Right:
        return "right";
    case PaneKind::Top:
        return "top";
    case PaneKind::Free:
        break;
    }
    return "free";
}

bool isOrthographic(const Pane& pane) {
    return pane.kind != PaneKind::Free;
}

PixelPoint viewSize(const Editor& e) {
    if (e.session.paneLayout == PaneLayout::Single) {
        const Rect& r = e.pane().rect();
        return {r.width(), r.height()};
    }
    const Rect& topLeft = e.session.panes[pane_index::kTop].rect();
    const Rect& bottomRight = e.session.panes[pane_index::kRight].rect();
    return {topLeft.width() + bottomRight.width(), topLeft.height() + bottomRight.height()};
}

void layOutPanes(Editor& e, std::int32_t width, std::int32_t height) {
    if (e.session.paneLayout == PaneLayout::Single) {
        for (Pane& pane : e.session.panes) {
            pane.origin = {0, 0};
            pane.camera.clientRect = {0, 0, width, height};
        }
        return;
    }
    const std::int32_t left = width / 2;
    const std::int32_t top = height / 2;
    auto place = [&](std::size_t i, std::int32_t x, std::int32_t y, std::int32_t w,
                     std::int32_t h) {
        e.session.panes[i].origin = {x, y};
        e.session.panes[i].camera.clientRect = {0, 0, w, h};
    };
    place(pane_index::kTop, 0, 0, left, top);
    place(pane_index::kFree, left, 0, width - left, top);
    place(pane_index::kFront, 0, top, left, height - top);
    place(pane_index::kRight, left, top, width - left, height - top);
}

void setActivePane(Editor& e, std::size_t index) {
    if (index >= e.session.panes.size() || index == e.session.activePane) {
        return;
    }
    endOperation(e);
    const PixelPoint size = viewSize(e);
    e.session.activePane = index;
    layOutPanes(e, size.x, size.y);
    e.refreshModelToView();
    e.services.depthRenderer.resize(e.pane().rect());
    // The press that made it active is handled before the next paint: it needs the pane's
    // origin position and draw order now.
    recordFrame(e, e.pane());
}

void setPaneLayout(Editor& e, PaneLayout layout) {
    if (layout == e.session.paneLayout) {
        return;
    }
    endOperation(e);
    const PixelPoint size = viewSize(e);
    e.session.paneLayout = layout;
    layOutPanes(e, size.x, size.y);
    e.services.depthRenderer.resize(e.pane().rect());
}

std::optional<std::size_t> paneAt(const Editor& e, PixelPoint p) {
    if (e.session.paneLayout == PaneLayout::Single) {
        return e.session.activePane;
    }
    for (std::size_t i = 0; i < e.session.panes.size(); ++i) {
        if (holds(e.session.panes[i], p)) {
            return i;
        }
    }
    return std::nullopt;
}

PixelPoint inActivePane(const Editor& e, PixelPoint p) {
    const PixelPoint o = e.pane().origin;
    return {p.x - o.x, p.y - o.y};
}

PixelPoint pressInPane(Editor& e, PixelPoint p) {
    if (e.session.paneLayout == PaneLayout::Quad && !operationPending(e) && !toolPhaseActive(e)) {
        if (const auto under = paneAt(e, p)) {
            setActivePane(e, *under);
        }
    }
    return inActivePane(e, p);
}

void followActiveOrthographicPane(Editor& e) {
    const Pane& from = e.pane();
    if (!isOrthographic(from)) {
        return;
    }
    Camera& front = e.session.panes[pane_index::kFront].camera;
    Camera& right = e.session.panes[pane_index::kRight].camera;
    Camera& top = e.session.panes[pane_index::kTop].camera;
    const Camera c = from.camera;
    // Model y, z and x offsets as the active pane holds them.
    double y = front.originOffsetX;
    double z = front.originOffsetY;
    double x = top.originOffsetY;
    switch (from.kind) {
    case PaneKind::Front:
        y = c.originOffsetX;
        z = c.originOffsetY;
        break;
    case PaneKind::Right:
        x = 0.0 - c.originOffsetX;
        z = c.originOffsetY;
        break;
    case PaneKind::Top:
        y = c.originOffsetX;
        x = c.originOffsetY;
        break;
    case PaneKind::Free:
        break;
    }
    for (Camera* o : {&front, &right, &top}) {
        o->zoom = c.zoom;
    }
    front.originOffsetX = y;
    front.originOffsetY = z;
    right.originOffsetX = 0.0 - x;
    right.originOffsetY = z;
    top.originOffsetX = y;
    top.originOffsetY = x;
}

} // namespace fcw
