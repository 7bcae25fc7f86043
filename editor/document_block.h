#pragma once

#include "io/document_extensions.h"

#include <string>
#include <vector>

namespace fcw {

class Editor;

// What a document keeps after its triangle records (io/document_extensions.h): its reference
// images, and live symmetry's plane while symmetry is on. Nothing when it has neither, so the
// file is a plain document.
std::vector<ExtensionRecord> documentRecords(const Editor& editor, const std::string& documentPath);

// Takes a read document's block (after its model is in place): the reference images, and
// symmetry on again over its plane when the block says so and the model is symmetric; off
// otherwise. A damaged block or record is told, and the model stays as read.
void takeDocumentRecords(Editor& editor, const ExtensionRead& block,
                         const std::string& documentPath);

} // namespace fcw
