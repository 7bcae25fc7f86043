#pragma once

#include "editor/tools/interaction_state.h"
#include "editor/tools/tool.h"

namespace fcw {

struct ToolStates;

// The tool that serves a tool mode: the editor's one object of it.
Tool& toolFor(ToolStates& tools, ToolMode mode);
const Tool& toolFor(const ToolStates& tools, ToolMode mode);

// Changes the tool, ending and abandoning the operation in progress.
void selectTool(Editor& editor, ToolMode mode);

// The tool of the editor's current tool mode.
Tool& activeTool(Editor& editor);
const Tool& activeTool(const Editor& editor);
bool isActiveTool(const Editor& editor, const Tool& tool);

// The registry's rows, for forEachTool.
int toolCount();
Tool& toolAt(ToolStates& tools, int index);
const Tool& toolAt(const ToolStates& tools, int index);

// Calls `visit` with every tool, in the registry's order.
template <class States, class Visit> void forEachTool(States& tools, Visit&& visit) {
    for (int i = 0; i < toolCount(); ++i) {
        visit(toolAt(tools, i));
    }
}

} // namespace fcw
