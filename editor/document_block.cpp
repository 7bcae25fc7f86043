#include "editor/document_block.h"

#include "editor/editor.h"
#include "editor/interface_text.h"
#include "editor/references/reference_images.h"
#include "editor/symmetry.h"

namespace fcw {

namespace {

constexpr char kDamagedSymmetry[] = FCW_TR_NOOP(
    "Message", "このファイルの対称編集の情報が壊れているため、対称編集をオフにして開きました。");

} // namespace

std::vector<ExtensionRecord> documentRecords(const Editor& editor,
                                             const std::string& documentPath) {
    std::vector<ExtensionRecord> records = referenceRecords(editor, documentPath);
    if (editor.document.symmetry.on) {
        records.push_back(ExtensionRecord{
            kSymmetryTag, kSymmetryVersion,
            encodeSymmetryPlane(static_cast<std::uint8_t>(editor.document.symmetry.plane))});
    }
    return records;
}

void takeDocumentRecords(Editor& editor, const ExtensionRead& block,
                         const std::string& documentPath) {
    editor.document.symmetry = SymmetryState{};
    takeReferences(editor, block, documentPath);
    if (block.status != ExtensionRead::Status::Read) {
        return; // a damaged block was told with the references
    }
    const ExtensionRecord* record = findExtension(block, kSymmetryTag, kSymmetryVersion);
    if (record == nullptr) {
        return;
    }
    if (const auto plane = decodeSymmetryPlane(record->payload)) {
        restoreSymmetry(editor, true, static_cast<MirrorPlane>(*plane));
        return;
    }
    editor.host.messageBox(editor.host.translate(text_context::kMessage, kDamagedSymmetry),
                           MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace fcw
