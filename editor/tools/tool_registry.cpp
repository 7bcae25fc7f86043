#include "editor/tools/tool_registry.h"

#include "editor/editor.h"

#include <array>

namespace fcw {

namespace {

struct Registration {
    ToolMode mode;
    const char* name; // as the state dump prints it
    Tool& (*tool)(ToolStates&);
};

// One row per tool. A new tool is its own file, a member of ToolStates and a row here.
constexpr std::array kRegistry{
    Registration{ToolMode::RangeMove, "RangeMove", [](ToolStates& t) -> Tool& { return t.range; }},
    Registration{ToolMode::DrawTriangle, "DrawTriangle",
                 [](ToolStates& t) -> Tool& { return t.drawing; }},
    Registration{ToolMode::Erase, "Erase", [](ToolStates& t) -> Tool& { return t.erase; }},
    Registration{ToolMode::Sphere, "Sphere", [](ToolStates& t) -> Tool& { return t.sphere; }},
    Registration{ToolMode::Paint, "Paint", [](ToolStates& t) -> Tool& { return t.paint; }},
    Registration{ToolMode::OriginMove, "OriginMove",
                 [](ToolStates& t) -> Tool& { return t.originMove; }},
    Registration{ToolMode::Zoom, "Zoom", [](ToolStates& t) -> Tool& { return t.zoom; }},
};

} // namespace

Tool& toolFor(ToolStates& tools, ToolMode mode) {
    for (const Registration& row : kRegistry) {
        if (row.mode == mode) {
            return row.tool(tools);
        }
    }
    return tools.drawing; // every mode has a row; the default tool otherwise
}

const Tool& toolFor(const ToolStates& tools, ToolMode mode) {
    // The rows hand out the tools for writing; reading one through them writes nothing.
    return toolFor(const_cast<ToolStates&>(tools), mode);
}

const char* toolModeName(ToolMode mode) {
    for (const Registration& row : kRegistry) {
        if (row.mode == mode) {
            return row.name;
        }
    }
    return "Unknown";
}

void selectTool(Editor& editor, ToolMode mode) {
    endOperation(editor);
    abandonOperation(editor);
    editor.session.interaction.toolMode = mode;
}

void activateRangeTool(Editor& editor) {
    editor.session.interaction.toolMode = ToolMode::RangeMove;
}

void selectPaintTool(Editor& editor) {
    selectTool(editor, ToolMode::Paint);
}

Tool& activeTool(Editor& editor) {
    return toolFor(editor.session.tools, editor.session.interaction.toolMode);
}

const Tool& activeTool(const Editor& editor) {
    return toolFor(editor.session.tools, editor.session.interaction.toolMode);
}

bool isActiveTool(const Editor& editor, const Tool& tool) {
    return &activeTool(editor) == &tool;
}

int toolCount() {
    return static_cast<int>(kRegistry.size());
}

Tool& toolAt(ToolStates& tools, int index) {
    return kRegistry[static_cast<std::size_t>(index)].tool(tools);
}

const Tool& toolAt(const ToolStates& tools, int index) {
    return toolAt(const_cast<ToolStates&>(tools), index);
}

} // namespace fcw
