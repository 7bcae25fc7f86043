#include "editor/commands/document_commands.h"

#include "editor/commands/file_messages.h"
#include "editor/document_block.h"
#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/session/recent_files.h"
#include "io/document_extensions.h"
#include "io/native_document.h"

#include <algorithm>

namespace fcw {

namespace {

constexpr char kUnexpectedFormat[] = FCW_TR_NOOP("Message", "予期しないﾌｧｲﾙ形式です。");
constexpr char kSavePrompt[] = FCW_TR_NOOP("Message", "%1 への変更を保存しますか?");

FileDialogRequest documentDialog(const Editor& editor) {
    FileDialogRequest request;
    request.filters = {std::string(kDocumentFilter)};
    request.defaultSuffix = kDocumentSuffix;
    request.initialPath = editor.document.path;
    return request;
}

void nameDocument(Editor& editor, const std::string& path) {
    editor.document.path = path;
    editor.document.modified = false;
    editor.host.documentStateChanged();
}

} // namespace

void newDocument(Editor& editor) {
    endOperation(editor);
    clearToolPhases(editor);
    editor.document.store.lastIndex = -1;
    editor.document.selection.clear(editor.document.store);
    editor.document.references = ReferenceImages{};
    editor.document.symmetry = SymmetryState{};
}

bool openDocumentFile(Editor& editor, const std::string& path) {
    endOperation(editor); // a popup move or a drag must not go on in the next model
    std::vector<std::uint8_t> bytes;
    // Only the start a document can use is read: memory stays that of a full model, however
    // large the file.
    if (FileResult r = readFileStart(path, kMaxDocumentBytes, bytes); !r) {
        reportFileError(editor, r, path, FileAccess::Reading);
        return false;
    }
    if (bytes.empty()) { // nothing to read: the document takes the name, the model stays
        nameDocument(editor, path);
        rememberRecentFile(editor, path);
        return true;
    }
    DecodedDocument doc;
    if (decodeDocument(bytes, doc) != DecodeError::None) {
        editor.host.messageBox(editor.host.translate(text_context::kMessage, kUnexpectedFormat),
                               MessageButtons::Ok, MessageIcon::Warning);
        return false;
    }

    editor.document.undo.clear(); // a loaded document starts a new history
    replaceModel(editor, doc.triangles);
    // What follows the records: a damaged block is told, and the model opens all the same.
    takeDocumentRecords(editor, readExtensionBlock(std::span(bytes).subspan(doc.recordsEnd)), path);
    nameDocument(editor, path);
    rememberRecentFile(editor, path);
    return true;
}

bool saveDocumentFile(Editor& editor, const std::string& path) {
    int lastToWrite = editor.document.store.lastIndex;
    if (rangeToolActive(editor)) {
        clearToolPhases(editor); // the selection state ends; marks and list stay
    } else if (provisionalSlot(editor) >= 0) {
        // A triangle being drawn (or a sphere's reserved slot) occupies the last slot and is
        // not saved.
        lastToWrite = std::max(lastToWrite - 1, -1);
    }
    std::vector<std::uint8_t> bytes =
        encodeDocument(editor.document.store.modelTriangles, lastToWrite);
    // Nothing at all when there are no references and symmetry is off: a plain document.
    const std::vector<std::uint8_t> block = encodeExtensionBlock(documentRecords(editor, path));
    bytes.insert(bytes.end(), block.begin(), block.end());
    if (FileResult r = writeFileAtomically(path, bytes, editor.services.writeFaults); !r) {
        reportFileError(editor, r, path, FileAccess::Writing);
        return false;
    }
    nameDocument(editor, path);
    rememberRecentFile(editor, path);
    return true;
}

bool saveModifiedIfAsked(Editor& editor) {
    if (!editor.document.modified) {
        return true;
    }
    const MessageResult answer =
        editor.host.messageBox(fillIn(editor.host.translate(text_context::kMessage, kSavePrompt),
                                      {shownDocumentName(editor)}),
                               MessageButtons::YesNoCancel, MessageIcon::Question);
    if (answer == MessageResult::No) {
        return true;
    }
    if (answer != MessageResult::Yes) {
        return false;
    }
    if (editor.document.path.empty()) {
        const auto choice = editor.host.chooseSaveFile(documentDialog(editor));
        return choice && saveDocumentFile(editor, choice->path);
    }
    return saveDocumentFile(editor, editor.document.path);
}

void fileNew(Editor& editor) {
    if (!saveModifiedIfAsked(editor)) {
        return;
    }
    newDocument(editor);
    editor.document.path.clear();
    editor.document.modified = false;
    editor.host.documentStateChanged();
    editor.repaint();
}

void fileOpen(Editor& editor) {
    const auto choice = editor.host.chooseOpenFile(documentDialog(editor));
    if (!choice || choice->path.empty()) {
        return;
    }
    if (!saveModifiedIfAsked(editor)) {
        return;
    }
    openDocumentFile(editor, choice->path);
    editor.repaint();
}

void fileSave(Editor& editor) {
    if (editor.document.path.empty()) {
        fileSaveAs(editor);
        return;
    }
    saveDocumentFile(editor, editor.document.path);
}

void fileSaveAs(Editor& editor) {
    const auto choice = editor.host.chooseSaveFile(documentDialog(editor));
    if (!choice || choice->path.empty()) {
        return;
    }
    saveDocumentFile(editor, choice->path);
}

} // namespace fcw
