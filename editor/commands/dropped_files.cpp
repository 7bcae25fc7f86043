#include "editor/commands/dropped_files.h"

#include "editor/commands/document_commands.h"
#include "editor/commands/interchange_commands.h"
#include "editor/commands/text_commands.h"
#include "io/atomic_file.h"
#include "io/interchange.h"
#include "io/native_document.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace fcw {

namespace {

bool endsWithFcw(const std::string& path) {
    if (path.size() < 4) {
        return false;
    }
    std::string suffix = path.substr(path.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return suffix == ".fcw";
}

} // namespace

DroppedKind classifyDroppedFile(const std::string& path) {
    // The header text with its one-byte length, as the writer puts it first.
    constexpr std::size_t kHeaderLength = sizeof kDocumentHeader - 1;
    std::vector<std::uint8_t> start;
    if (readFileStart(path, kHeaderLength + 1, start) && start.size() == kHeaderLength + 1 &&
        start[0] == kHeaderLength &&
        std::memcmp(start.data() + 1, kDocumentHeader, kHeaderLength) == 0) {
        return DroppedKind::Document;
    }
    return endsWithFcw(path) ? DroppedKind::Document : DroppedKind::Import;
}

void openDroppedFile(Editor& editor, const std::string& path) {
    switch (classifyDroppedFile(path)) {
    case DroppedKind::Document:
        if (saveModifiedIfAsked(editor)) {
            openDocumentFile(editor, path);
        }
        break;
    case DroppedKind::Import:
        // A glTF, OBJ, STL, ... goes through the import library; anything else is text.
        if (foreignFormatOf(path) != ForeignFormat::Unknown) {
            importForeignFile(editor, path, OverCapacity::Ask);
        } else {
            readTextFile(editor, path);
        }
        break;
    }
}

bool openStartupFile(Editor& editor, const std::string& path) {
    if (classifyDroppedFile(path) == DroppedKind::Import &&
        foreignFormatOf(path) != ForeignFormat::Unknown) {
        importForeignFile(editor, path, OverCapacity::Ask);
        return true;
    }
    return openDocumentFile(editor, path);
}

} // namespace fcw
