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
// save prompt for a modified document); anything else is imported as File ▸ "テキストの入力"
// would, which tells the user when it cannot read the file. Does not repaint.
void openDroppedFile(Editor& editor, const std::string& path);

} // namespace fcw
