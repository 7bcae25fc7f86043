#pragma once

#include "editor/dialog_ids.h"
#include "editor/host.h"
#include "editor/pane.h"
#include "editor/references/reference_images.h"
#include "editor/session/app_settings.h"
#include "editor/session/recovery.h"
#include "editor/tools/interaction_state.h"
#include "editor/tools/operation.h"
#include "editor/tools/tool_states.h"
#include "editor/view/panes.h"
#include "interact/snap_settings.h"
#include "io/atomic_file.h"
#include "io/palette_files.h"
#include "model/mesh_store.h"
#include "model/selection.h"
#include "model/translatable.h"
#include "model/undo_history.h"
#include "ops/symmetry.h"
#include "render/camera.h"
#include "render/depth_buffer_renderer.h"
#include "render/view_options.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fcw {

inline constexpr char kUntitledName[] = FCW_TR_NOOP("Message", "無題");
inline constexpr char kApplicationName[] = "FacetCraftwerk";

// Live symmetry (editor/symmetry.h): while on, every edit keeps the model its own mirror
// image in `plane`. Neither the switch nor the plane is an undo step.
struct SymmetryState {
    bool on = false;
    MirrorPlane plane = MirrorPlane::LeftRight;
    // The model as it stood after the last event, which the next edit is compared with.
    std::vector<TriangleCore> reference;
    bool referenceMadeSymmetric = false; // it was symmetric (an undo may restore one that is not)
    bool modelReplaced = false;          // the whole model was replaced since
    // The history as it stood with `reference`: an edit counted since and then refused is
    // taken back to it.
    std::uint64_t referenceSerial = 0;
    int referenceRedoDepth = 0;
    bool referenceModified = false;
};

// The document: the model with its selection and undo history, which file it is and whether
// it has unsaved changes.
struct Document {
    MeshStore store;
    Selection selection; // the only writer of the store's selection marks
    UndoHistory undo;
    std::string path; // empty while untitled
    bool modified = false;
    // The images to trace over, one per orthographic direction, and live symmetry. Saved with
    // the model, but not undo steps: a change to what a save writes of them marks the document
    // modified and counts in settingChanges.
    ReferenceImages references;
    std::uint64_t settingChanges = 0;
    SymmetryState symmetry;
    // "無題" or the file's name without its folder.
    std::string displayName() const;
};

// The session: how the user looks at the document and works on it. Not saved with it.
struct Session {
    // The views of the model (editor/view/panes.h): 自由視点 and the three orthographic ones.
    // One is active, the one the pointer and the keys work in; the layout shows it alone or
    // all four.
    std::vector<Pane> panes = initialPanes();
    std::size_t activePane = pane_index::kFree;
    PaneLayout paneLayout = PaneLayout::Single;
    ViewOptions view;
    InteractionState interaction;
    ToolStates tools; // each tool's own progress
    SnapSettings snap;
    // The view-list triangle a right click picked, drawn hatched over the picture while its
    // menu is up; -1 for none.
    int highlightedTriangle = -1;
};

struct EditorPaths {
    std::string programDirectory; // ends with '/'
    std::string workFilePath;     // the copy/paste work file
    std::string profilePath;      // settings file; empty = settings are not persisted
};

// The services: what the program keeps beside the document and the session, from one run to
// the next, and the one seam through which file writes can be made to fail in tests.
struct Services {
    EditorPaths paths;
    AppSettings settings;
    std::vector<std::string> recentFiles; // most recent first, at most four
    RecoveryState recovery;               // this instance's recovery copy
    // The palette panel's colours (empty until a palette is read or made), kept beside the
    // settings between runs.
    Palette palette;
    DepthBufferRenderer depthRenderer;
    bool unconfinedReadNoted = false; // the status line said foreign files are read unconfined
    WriteFaults writeFaults;          // every file write goes through it; empty outside tests
};

// All program-wide state. Owned by the application (or a test, or the batch player) and passed
// by reference; nothing else in the program holds mutable state. The platform is reached
// through `host` only.
class Editor {
  public:
    explicit Editor(Host& platform) : host(platform) { host.attach(*this); }
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    Host& host;
    Document document;
    Session session;
    Services services;
    // Saves the model before an edit. A triangle being drawn and a sphere's reserved slot are
    // left out. Edits go through EditTransaction (editor/edit_transaction.h), which calls these.
    void takeSnapshot();
    // Counts the edit whose snapshot was taken last. Every counted edit marks the document
    // modified, whichever command, key or tool made it.
    void countEdit();
    // Grows by one with every counted edit, undo and redo (see UndoHistory::serial).
    std::uint64_t historySerial() const { return document.undo.serial; }
    // Grows with every change the document's file would show: counted edits, undo, redo and
    // changes of the references (the recovery copy is rewritten when it moves).
    std::uint64_t changeSerial() const { return document.undo.serial + document.settingChanges; }
    int undoDepth() const { return document.undo.undoDepth; }
    int redoDepth() const { return document.undo.redoDepth; }

    Pane& pane() { return session.panes[session.activePane]; }
    const Pane& pane() const { return session.panes[session.activePane]; }

    void setModified(bool modified);
    // A change to what the document keeps beside its model (reference images, symmetry):
    // counted in settingChanges, and the document is modified.
    void countSettingChange();
    // The orthographic panes follow the active one's zoom and offsets, then the host paints.
    void repaint() {
        followActiveOrthographicPane(*this);
        host.repaint();
    }

    // The store's view list is the active pane's.
    void refreshModelToView() {
        const Camera& camera = pane().camera;
        document.store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    }
    // After an edit made in the view list: the model is rebuilt from it, then the view from
    // the model, so that the view's depth keys (which the draw order and every pick use) are
    // view-frame depths again and not the model's.
    void refreshViewToModel() {
        const Camera& camera = pane().camera;
        document.store.refreshViewToModel(camera.verticalAxisAngle, camera.horizontalAxisAngle);
        document.store.refreshModelToView(camera.verticalAxisAngle, camera.horizontalAxisAngle);
    }
};

// Replaces the whole model with `triangles` (at most 3001): both lists rebuilt with their
// derived data, the selection ended and its marks cleared, the view list rotated by the
// camera. Undo history is the caller's business.
// The document's name as the window and the save prompt show it: Document::displayName
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

} // namespace fcw
