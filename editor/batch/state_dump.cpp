#include "editor/batch/state_dump.h"

#include "editor/editor.h"

#include <cmath>
#include <cstdio>

namespace fcw {

std::string formatNumber(double value) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? "Infinity" : "-Infinity";
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

namespace {

void appendTriangles(std::string& out, const std::vector<Triangle>& list, int lastIndex) {
    out += '[';
    for (int i = 0; i <= lastIndex; ++i) {
        const Triangle& t = list[static_cast<std::size_t>(i)];
        if (i > 0) {
            out += ',';
        }
        out += "{\"colour\":" + std::to_string(t.colour) + ",\"v\":[";
        for (std::size_t k = 0; k < 3; ++k) {
            if (k > 0) {
                out += ',';
            }
            out += '[' + formatNumber(t.v[k].x) + ',' + formatNumber(t.v[k].y) + ',' +
                   formatNumber(t.v[k].z) + ']';
        }
        out += "],\"selected\":[" + std::to_string(t.v[0].selected) + ',' +
               std::to_string(t.v[1].selected) + ',' + std::to_string(t.v[2].selected) + "]}";
    }
    out += ']';
}

} // namespace

namespace {

// The layout, the active pane and every pane's rectangle and camera, once a user has asked for
// panes (the quad layout, or another pane than 自由視点 active); before that the dump is as it
// was without panes.
void appendPanes(std::string& out, const Editor& editor) {
    if (editor.session.paneLayout == PaneLayout::Single &&
        editor.session.activePane == pane_index::kFree) {
        return;
    }
    out += std::string(",\"layout\":\"") +
           (editor.session.paneLayout == PaneLayout::Quad ? "quad" : "single") + '"';
    out += ",\"activePane\":\"" + std::string(paneName(editor.pane().kind)) + '"';
    out += ",\"panes\":[";
    for (std::size_t i = 0; i < editor.session.panes.size(); ++i) {
        const Pane& p = editor.session.panes[i];
        const Camera& c = p.camera;
        out += (i > 0 ? ",{" : "{");
        out += "\"name\":\"" + std::string(paneName(p.kind)) + '"';
        out += ",\"rect\":[" + std::to_string(p.origin.x) + ',' + std::to_string(p.origin.y) + ',' +
               std::to_string(p.rect().width()) + ',' + std::to_string(p.rect().height()) + ']';
        out += ",\"verticalAxisAngle\":" + formatNumber(c.verticalAxisAngle);
        out += ",\"horizontalAxisAngle\":" + formatNumber(c.horizontalAxisAngle);
        out += ",\"zoom\":" + formatNumber(c.zoom);
        out += ",\"originOffsetX\":" + formatNumber(c.originOffsetX);
        out += ",\"originOffsetY\":" + formatNumber(c.originOffsetY);
        out += ",\"depth\":" + formatNumber(c.depth) + '}';
    }
    out += ']';
}

} // namespace

std::string dumpState(const Editor& editor, bool includeView) {
    const InteractionState& s = editor.session.interaction;
    const Camera& c = editor.pane().camera;
    std::string out = "{";
    out += "\"lastIndex\":" + std::to_string(editor.document.store.lastIndex);
    out += ",\"undoDepth\":" + std::to_string(editor.document.undo.undoDepth);
    out += ",\"toolMode\":\"" + std::string(toolModeName(s.toolMode)) + '"';
    out += ",\"editPhase\":" + std::to_string(editPhaseNumber(editor));
    out += ",\"currentColour\":" + std::to_string(s.currentColour);
    // Only once a palette was read or made, so that dumps without one stay as they were.
    if (!editor.services.palette.colours.empty()) {
        out += ",\"palette\":[";
        for (std::size_t i = 0; i < editor.services.palette.colours.size(); ++i) {
            out += (i > 0 ? "," : "") + std::to_string(editor.services.palette.colours[i].colour);
        }
        out += ']';
    }
    out += std::string(",\"modified\":") + (editor.document.modified ? "true" : "false");
    const auto selected = editor.document.selection.vertices();
    out += ",\"selectionCount\":" + std::to_string(selected.size());
    out += ",\"selection\":[";
    for (std::size_t i = 0; i < selected.size(); ++i) {
        if (i > 0) {
            out += ',';
        }
        out += '[' + std::to_string(selected[i].triangle) + ',' +
               std::to_string(selected[i].vertex) + ']';
    }
    out += "],\"camera\":{";
    out += "\"verticalAxisAngle\":" + formatNumber(c.verticalAxisAngle);
    out += ",\"horizontalAxisAngle\":" + formatNumber(c.horizontalAxisAngle);
    out += ",\"zoom\":" + formatNumber(c.zoom);
    out += ",\"originOffsetX\":" + formatNumber(c.originOffsetX);
    out += ",\"originOffsetY\":" + formatNumber(c.originOffsetY);
    out += ",\"depth\":" + formatNumber(c.depth);
    out += ",\"centreX\":" + formatNumber(c.centreX);
    out += ",\"centreY\":" + formatNumber(c.centreY);
    out += '}';
    appendPanes(out, editor);
    out += ",\"triangles\":";
    appendTriangles(out, editor.document.store.modelTriangles, editor.document.store.lastIndex);
    if (includeView) {
        out += ",\"viewTriangles\":";
        appendTriangles(out, editor.document.store.viewTriangles, editor.document.store.lastIndex);
    }
    out += '}';
    return out;
}

} // namespace fcw
