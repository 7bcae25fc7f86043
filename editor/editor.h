#pragma once

#include "editor/app_settings.h"
#include "editor/host.h"
#include "editor/interaction_state.h"
#include "editor/operation.h"
#include "editor/pane.h"
#include "editor/panes.h"
#include "editor/recovery.h"
#include "editor/tools/tool_states.h"
#include "interact/snap_settings.h"
#include "io/atomic_file.h"
#include "io/palette_files.h"
#include "model/mesh_store.h"
#include "model/selection.h"
#include "model/translatable.h"
#include "model/undo_history.h"
#include "render/camera.h"
#include "render/depth_buffer_renderer.h"
#include "render/view_options.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fcw {

inline constexpr char kUntitledName[] = FCW_TR_NOOP("Message", "無題");
inline constexpr char kApplicationName[] = "FacetCraftwerk";

// The one document: which file it is and whether it has unsaved changes. The model itself is
// the store.
struct DocumentState {
    std::string path; // empty while untitled
    bool modified = false;
    // "無題" or the file's name without its folder.
    std::string displayName() const;
};

struct EditorPaths {
    std::string programDirectory; // ends with '/'
    std::string workFilePath;     // the copy/paste work file
    std::string profilePath;      // settings file; empty = settings are not persisted
};

// All program-wide state. Owned by the application (or a test, or the batch player) and passed
// by reference; nothing else in the program holds mutable state.
class Editor {
  public:
    explicit Editor(Host& platform) : host(platform) { host.attach(*this); }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Host& host;
    MeshStore store;
    Selection selection; // the only writer of the store's selection marks
    UndoHistory undo;
    // The views of the model (editor/panes.h): 自由視点 and the three orthographic ones. One is
    // active, the one the pointer and the keys work in; the layout shows it alone or all four.
    std::vector<Pane> panes = initialPanes();
    std::size_t activePane = pane_index::kFree;
    PaneLayout paneLayout = PaneLayout::Single;
    ViewOptions view;
    InteractionState interaction;
    ToolStates tools; // each tool's own progress
    SnapSettings snap;
    AppSettings settings;
    DocumentState document;
    EditorPaths paths;
    WriteFaults writeFaults; // stays empty outside tests
    DepthBufferRenderer depthRenderer;
    // The view-list triangle a right click picked, drawn hatched over the picture while its
    // menu is up; -1 for none.
    int highlightedTriangle = -1;
    std::vector<std::string> recentFiles; // most recent first, at most four
    // Grows by one with every counted edit and every undo: tells a selection whether its
    // drags still belong to the last undo step.
    std::uint64_t historySerial = 1;
    RecoveryState recovery;           // this instance's recovery copy
    bool unconfinedReadNoted = false; // the status line said foreign files are read unconfined
    // The palette panel's colours (empty until a palette is read or made), kept beside the
    // settings between runs.
    Palette palette;

    // Saves the model before an edit. A triangle being drawn and a sphere's reserved slot are
    // left out.
    void takeSnapshot();
    // Counts the edit whose snapshot was taken last. Every counted edit marks the document
    // modified, whichever command, key or tool made it.
    void countEdit();
    int undoDepth() const { return undo.undoDepth; }
    int redoDepth() const { return undo.redoDepth; }

    Pane& pane() { return panes[activePane]; }
    const Pane& pane() const { return panes[activePane]; }

    void setModified(bool modified);
    // The orthographic panes follow the active one's zoom and offsets, then the host paints.
    void repaint() {
        followActiveOrthographicPane(*this);
        host.repaint();
    }

    // The store's view list is the active pane's.
    void refreshModelToView() {
        const Camera& camera = pane().camera;
        store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    }
    // After an edit made in the view list: the model is rebuilt from it, then the view from
    // the model, so that the view's depth keys (which the draw order and every pick use) are
    // view-frame depths again and not the model's.
    void refreshViewToModel() {
        const Camera& camera = pane().camera;
        store.refreshViewToModel(camera.verticalAxisAngle, camera.horizontalAxisAngle);
        store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    }
};

// Replaces the whole model with `triangles` (at most 3001): both lists rebuilt with their
// derived data, the selection ended and its marks cleared, the view list rotated by the
// camera. Undo history is the caller's business.
// The document's name as the window and the save prompt show it: DocumentState::displayName
// in the host's language ("無題" translated while untitled).
std::string shownDocumentName(const Editor& editor);

void replaceModel(Editor& editor, const std::vector<TriangleCore>& triangles);

// Undo (command 32799): ends the operation in progress (dropping a provisional triangle or a
// sphere's reserved slot, cancelling a popup move, ending a drag or a nudge run) and the
// selection, then restores the most recent snapshot, rebuilds the view list and marks the
// document modified. Does not repaint.
void undoLast(Editor& editor);

// Redo (command 57644): ends the operation in progress and the selection as Undo does, then
// brings back the model the latest undo replaced (the model it replaces becomes the newest undo
// step), rebuilds the view list and marks the document modified. Nothing happens when nothing
// was undone since the last counted edit. Does not repaint.
void redoNext(Editor& editor);

// The warning for an edit that would pass 3000 triangles: a beep, then dialog 302.
void showTooManyPolygons(Editor& editor);
inline constexpr int kTooManyPolygonsDialog = 302;

} // namespace fcw
