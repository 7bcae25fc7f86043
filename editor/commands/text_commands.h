#pragma once

#include <string>

namespace fcw {

class Editor;

// File ▸ "テキスト形式でセーブ" (32841): asks for a file and writes the model as DXF, text type 1
// or text type 2, chosen by the file's extension ("dxf", "tx1", "tx2", compared exactly) or
// else by the default format setting. The file is replaced atomically; a failure is reported
// and leaves any previous file as it was. Nothing in the model or the document changes.
void exportTextFile(Editor& editor);

// Writes the model to `path` in the format its extension (or the default setting) selects.
// Returns false after telling the user what went wrong.
bool writeTextFile(Editor& editor, const std::string& path);

// File ▸ "テキストの入力" (32892): asks for a file and replaces the model with the triangles of a
// DXF file (extension "dxf" or "DXF") or a keyword text file. An import that cannot start
// (cancelled, no name, unreadable file, unknown header) leaves the model as it was; one that
// goes through is a single undo step.
void importTextFile(Editor& editor);

// Replaces the model with the file at `path` as the import command does. Returns true when
// the model was replaced.
bool readTextFile(Editor& editor, const std::string& path);

} // namespace fcw
