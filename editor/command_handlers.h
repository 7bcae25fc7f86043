#pragma once

// The handlers and rules the command table names: small adapters from a command to the
// editor's operations. Only editor/commands.cpp includes this.

#include "editor/clipboard_commands.h"
#include "editor/commands.h"
#include "editor/default_paths.h"
#include "editor/display_commands.h"
#include "editor/document_commands.h"
#include "editor/editor.h"
#include "editor/interchange_commands.h"
#include "editor/interface_text.h"
#include "editor/keyboard.h"
#include "editor/mesh_commands.h"
#include "editor/mouse_tools.h"
#include "editor/navigation.h"
#include "editor/palette_commands.h"
#include "editor/palette_dialog.h"
#include "editor/picture_commands.h"
#include "editor/recent_files.h"
#include "editor/settings_sheet.h"
#include "editor/text_commands.h"
#include "editor/vertex_move_commands.h"
#include "interact/snap.h"

namespace fcw::command_handlers {

template <ToolMode Mode> void chooseTool(Editor& e) {
    selectTool(e, Mode);
}
template <ToolMode Mode> bool isTool(const Editor& e) {
    return e.interaction.toolMode == Mode;
}
inline void choosePaint(Editor& e) {
    selectTool(e, ToolMode::Paint);
    e.tools.buttonDrag.phase = HoldPhase::Idle;
}
inline void showAbout(Editor& e) {
    Dialog about(kAboutDialog);
    e.host.runDialog(about);
}
inline void undo(Editor& e) {
    undoLast(e);
    e.repaint();
}
inline void redo(Editor& e) {
    redoNext(e);
    e.repaint();
}
inline bool canRedo(const Editor& e) {
    return e.redoDepth() > 0;
}
template <int Hundredths> void zoomTo(Editor& e) {
    setZoomLevel(e, Hundredths / 100.0);
}
template <int Point> void vertexSnapCommand(Editor& e) {
    toggleVertexSnap(e.snap, Point);
}
template <int Point> bool vertexSnapOn(const Editor& e) {
    return e.snap.vertexSnap[Point];
}
template <int Point> void gridSnapCommand(Editor& e) {
    toggleGridSnap(e.snap, Point);
}
template <int Point> bool gridSnapOn(const Editor& e) {
    return e.snap.gridSnap[Point];
}
template <int Mode> void frameModeCommand(Editor& e) {
    setFrameMode(e, Mode);
}
template <int Mode> bool frameModeIs(const Editor& e) {
    return e.view.frameMode == Mode;
}
inline void allVertexSnapCommand(Editor& e) {
    toggleAllVertexSnap(e.snap);
}
inline bool allVertexSnapOn(const Editor& e) {
    return allVertexSnap(e.snap);
}
inline void allGridSnapCommand(Editor& e) {
    toggleAllGridSnap(e.snap);
}
inline bool allGridSnapOn(const Editor& e) {
    return allGridSnap(e.snap);
}
inline void gridBehind(Editor& e) {
    setGridInFront(e, false);
}
inline void gridInFront(Editor& e) {
    setGridInFront(e, true);
}
inline bool isGridBehind(const Editor& e) {
    return !e.view.gridInFront;
}
inline bool isGridInFront(const Editor& e) {
    return e.view.gridInFront;
}
inline void toggleHiddenVertices(Editor& e) {
    e.interaction.selectHiddenVertices = !e.interaction.selectHiddenVertices;
    e.repaint();
}
inline bool hiddenVerticesSelectable(const Editor& e) {
    return e.interaction.selectHiddenVertices;
}
inline void toggleStatusBox(Editor& e) {
    e.view.statusVisible = e.view.statusVisible != 0 ? 0 : 1; // shown at the next repaint
}
inline bool statusBoxShown(const Editor& e) {
    return e.view.statusVisible != 0;
}
inline void toggleQuadSplit(Editor& e) {
    e.interaction.sphereQuadSplit = !e.interaction.sphereQuadSplit;
    e.repaint();
}
inline bool quadSplitOn(const Editor& e) {
    return e.interaction.sphereQuadSplit;
}
inline bool arrowsMoveDepth(const Editor& e) {
    return e.interaction.arrowDepthMode;
}
inline bool arrowsRotate(const Editor& e) {
    return !e.interaction.arrowDepthMode;
}
template <MirrorAxis Axis> void mirrorCommand(Editor& e) {
    mirrorSelection(e, Axis);
}
inline bool edgeSelected(const Editor& e) {
    return hasEdgeSelectedTriangle(e);
}
inline bool anySelected(const Editor& e) {
    return !e.selection.empty();
}
inline bool severalSelected(const Editor& e) {
    return e.selection.count() > 1;
}
inline bool modelNotEmpty(const Editor& e) {
    return e.store.lastIndex >= 0;
}
template <RotateKind Kind> void rotateCommand(Editor& e) {
    rotateSelection(e, Kind);
}
template <ScaleKind Kind> void scaleCommand(Editor& e) {
    scaleSelection(e, Kind);
}
template <int Id> void vertexMove(Editor& e) {
    runVertexMove(e, Id);
}
template <int Spacing> void spacingCommand(Editor& e) {
    toggleGridSpacing(e.view, Spacing);
    e.repaint();
}
template <int Spacing> bool spacingOn(const Editor& e) {
    return gridSpacingIs(e.view, Spacing);
}

// The window's own commands, through the host.
inline void quitApplication(Editor& e) {
    e.host.quitApplication();
}
inline void toggleToolbar(Editor& e) {
    e.host.toggleToolbar();
}
inline bool toolbarShown(const Editor& e) {
    return e.host.isToolbarVisible();
}
inline void quadLayout(Editor& e) {
    toggleQuadLayout(e);
}
inline bool quadLayoutShown(const Editor& e) {
    return e.paneLayout == PaneLayout::Quad;
}
template <std::size_t Index> void paneCommand(Editor& e) {
    activatePane(e, Index);
}
template <std::size_t Index> bool paneActive(const Editor& e) {
    return e.activePane == Index;
}
inline void togglePalettePanel(Editor& e) {
    e.host.togglePalettePanel();
}
inline bool palettePanelShown(const Editor& e) {
    return e.host.isPalettePanelVisible();
}
inline bool paletteNotEmpty(const Editor& e) {
    return !e.palette.colours.empty();
}
inline void pageSetup(Editor& e) {
    e.host.pageSetup();
}
inline void print(Editor& e) {
    e.host.print();
}
inline constexpr char kHelpMissing[] = FCW_TR_NOOP("Message", "%1\nこのﾌｧｲﾙが見つかりません。");
inline constexpr char kHelpNotShown[] =
    FCW_TR_NOOP("Message", "%1\nこのﾌｧｲﾙを表示するﾌﾟﾛｸﾞﾗﾑを起動できませんでした。");
inline void showHelp(Editor& e) {
    const std::string path = helpPagePath(e.paths.programDirectory, e.host.language());
    if (!helpPageExists(path)) {
        e.host.messageBox(fillIn(e.host.translate(text_context::kMessage, kHelpMissing), {path}),
                          MessageButtons::Ok, MessageIcon::Warning);
    } else if (!e.host.showHelp(path)) {
        e.host.messageBox(fillIn(e.host.translate(text_context::kMessage, kHelpNotShown), {path}),
                          MessageButtons::Ok, MessageIcon::Warning);
    }
}
template <int Index> void openRecent(Editor& e) {
    openRecentFile(e, Index);
}
template <int Index> bool hasRecent(const Editor& e) {
    return Index < static_cast<int>(e.recentFiles.size());
}

} // namespace fcw::command_handlers
