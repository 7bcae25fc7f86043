#pragma once

#include <string>

namespace fcw {

class Editor;

// What a file dropped on the window is taken for.
enum class DroppedKind { Document, Import };

// A native document when the file starts with the native header (or, unreadable or damaged,
// is named *.fcw, so that opening it reports why); anything else goes to the import.
DroppedKind classifyDroppedFile(const std::string& path);

// A file dropped on the window: a native document is opened as File ▸ Open would (after the
// save prompt for a modified document); a file with a foreign model's extension (.glb, .obj,
// .stl, ...) is imported as File ▸ "形式を指定して読み込み" would, anything else as
// File ▸ "テキストの入力" would; both tell the user when they cannot read the file.
void openDroppedFile(Editor& editor, const std::string& path);

// The file named on the command line: a foreign model (by its extension, unless it carries the
// native header) is imported into the new document; anything else is opened as a document.
// False only when a document could not be opened (the reason was shown); a failed import has
// shown its reason and leaves the empty document.
bool openStartupFile(Editor& editor, const std::string& path);

} // namespace fcw
