#pragma once

#include <string>

namespace fcw {

class Editor;

inline constexpr char kDocumentFilter[] = "FacetCraftwerk(*.fcw)";
inline constexpr char kDocumentSuffix[] = "fcw";

// Empties the model for a new document: editPhase 0, lastIndex -1, no selection in force (it
// would name triangles that are gone). Tool, camera, selection marks and undo history are
// kept (Undo after New brings back the previous document).
void newDocument(Editor& editor);

// Reads a native document into the store. The whole file is checked before anything changes:
// on any failure the user is told why and the store, history and selection stay as they were.
// A 0-byte file opens without touching the model. Returns true when the document now names
// `path`.
bool openDocumentFile(Editor& editor, const std::string& path);

// Writes the model to `path` atomically; on failure reports the error and leaves any previous
// file at `path` intact. Returns true on success.
bool saveDocumentFile(Editor& editor, const std::string& path);

// Asks "%1 への変更を保存しますか?" when the document is modified and saves on Yes. Returns false
// when the user cancelled (or the save failed), so the caller must not go on.
bool saveModifiedIfAsked(Editor& editor);

// The File menu commands.
void fileNew(Editor& editor);    // 57600
void fileOpen(Editor& editor);   // 57601
void fileSave(Editor& editor);   // 57603
void fileSaveAs(Editor& editor); // 57604

} // namespace fcw
