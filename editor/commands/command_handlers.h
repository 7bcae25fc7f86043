#pragma once

// The handlers and rules the command table names: small adapters from a command to the
// editor's operations. Only editor/commands.cpp includes this.

#include "editor/commands/clipboard_commands.h"
#include "editor/commands/commands.h"
#include "editor/commands/display_commands.h"
#include "editor/commands/document_commands.h"
#include "editor/commands/interchange_commands.h"
#include "editor/commands/mesh_commands.h"
#include "editor/commands/palette_commands.h"
#include "editor/commands/picture_commands.h"
#include "editor/commands/reference_commands.h"
#include "editor/commands/text_commands.h"
#include "editor/commands/vertex_move_commands.h"
#include "editor/dialogs/palette_dialog.h"
#include "editor/dialogs/settings_sheet.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/session/default_paths.h"
#include "editor/session/recent_files.h"
#include "editor/symmetry.h"
#include "editor/tools/mouse_tools.h"
#include "editor/view/keyboard.h"
#include "editor/view/navigation.h"
#include "interact/snap.h"

namespace fcw::command_handlers {

inline void choosePaint(Editor& e) {
    selectPaintTool(e);
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
    toggleVertexSnap(e.session.snap, Point);
}
template <int Point> bool vertexSnapOn(const Editor& e) {
    return e.session.snap.vertexSnap[Point];
}
template <int Point> void gridSnapCommand(Editor& e) {
    toggleGridSnap(e.session.snap, Point);
}
template <int Point> bool gridSnapOn(const Editor& e) {
    return e.session.snap.gridSnap[Point];
}
template <FrameMode Mode> void frameModeCommand(Editor& e) {
    setFrameMode(e, Mode);
}
template <FrameMode Mode> bool frameModeIs(const Editor& e) {
    return e.session.view.frameMode == Mode;
}
inline void allVertexSnapCommand(Editor& e) {
    toggleAllVertexSnap(e.session.snap);
}
inline bool allVertexSnapOn(const Editor& e) {
    return allVertexSnap(e.session.snap);
}
inline void allGridSnapCommand(Editor& e) {
    toggleAllGridSnap(e.session.snap);
}
inline bool allGridSnapOn(const Editor& e) {
    return allGridSnap(e.session.snap);
}
inline void gridBehind(Editor& e) {
    setGridInFront(e, false);
}
inline void gridInFront(Editor& e) {
    setGridInFront(e, true);
}
inline bool isGridBehind(const Editor& e) {
    return !e.session.view.gridInFront;
}
inline bool isGridInFront(const Editor& e) {
    return e.session.view.gridInFront;
}
inline void toggleHiddenVertices(Editor& e) {
    e.session.interaction.selectHiddenVertices = !e.session.interaction.selectHiddenVertices;
    e.repaint();
}
inline bool hiddenVerticesSelectable(const Editor& e) {
    return e.session.interaction.selectHiddenVertices;
}
inline void toggleStatusBox(Editor& e) {
    e.session.view.statusVisible =
        e.session.view.statusVisible != 0 ? 0 : 1; // shown at the next repaint
}
inline bool statusBoxShown(const Editor& e) {
    return e.session.view.statusVisible != 0;
}
inline void toggleFacing(Editor& e) {
    e.session.view.showFacing = !e.session.view.showFacing;
    e.repaint();
}
inline bool facingShown(const Editor& e) {
    return e.session.view.showFacing;
}
inline bool symmetryOn(const Editor& e) {
    return e.document.symmetry.on;
}
inline void toggleQuadSplit(Editor& e) {
    e.session.interaction.sphereQuadSplit = !e.session.interaction.sphereQuadSplit;
    e.repaint();
}
inline bool quadSplitOn(const Editor& e) {
    return e.session.interaction.sphereQuadSplit;
}
inline bool arrowsMoveDepth(const Editor& e) {
    return e.session.interaction.arrowDepthMode;
}
inline bool arrowsRotate(const Editor& e) {
    return !e.session.interaction.arrowDepthMode;
}
template <MirrorAxis Axis> void mirrorCommand(Editor& e) {
    mirrorSelection(e, Axis);
}
template <Facing Way> void orientCommand(Editor& e) {
    orientParts(e, Way);
}
inline bool edgeSelected(const Editor& e) {
    return hasEdgeSelectedTriangle(e);
}
inline bool anySelected(const Editor& e) {
    return !e.document.selection.empty();
}
inline bool severalSelected(const Editor& e) {
    return e.document.selection.count() > 1;
}
inline bool modelNotEmpty(const Editor& e) {
    return e.document.store.lastIndex >= 0;
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
    toggleGridSpacing(e.session.view, Spacing);
    e.repaint();
}
template <int Spacing> bool spacingOn(const Editor& e) {
    return gridSpacingIs(e.session.view, Spacing);
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
    return e.session.paneLayout == PaneLayout::Quad;
}
template <std::size_t Index> void paneCommand(Editor& e) {
    activatePane(e, Index);
}
template <std::size_t Index> bool paneActive(const Editor& e) {
    return e.session.activePane == Index;
}
inline void togglePalettePanel(Editor& e) {
    e.host.togglePalettePanel();
}
inline bool palettePanelShown(const Editor& e) {
    return e.host.isPalettePanelVisible();
}
inline bool paletteNotEmpty(const Editor& e) {
    return !e.services.palette.colours.empty();
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
    const std::string path = helpPagePath(e.services.paths.programDirectory, e.host.language());
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
    return Index < static_cast<int>(e.services.recentFiles.size());
}

} // namespace fcw::command_handlers
