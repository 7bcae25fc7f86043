#pragma once

#include "model/translatable.h"

#include <string>
#include <string_view>

namespace fcw {

class Editor;

// What an import does with a file of more triangles than the store holds.
enum class OverCapacity {
    Ask,    // the window: says how many the file has and offers the reduction; No keeps the model
    Reduce, // the batch player and the command line: reduces without asking
};

// File ▸ "形式を指定して読み込み" (33000): asks for a glTF, OBJ, STL, PLY, 3MF or other file the
// import library reads and replaces the model with its triangles, as the text import does.
void importForeign(Editor& editor);

// Replaces the model with the triangles of the foreign file at `path`, the import scale
// applied, as one undo step. A file that cannot be used is reported with its name and the
// reason and leaves the model as it was. Returns true when the model was replaced.
bool importForeignFile(Editor& editor, const std::string& path, OverCapacity overCapacity);

// File ▸ "形式を指定して書き出し" (33001): asks for a file and writes the model in the format of
// its extension, the export scale applied. The dialog says what one unit becomes in STL and 3MF.
void exportForeign(Editor& editor);

// Writes the finished triangles to `path`; false after telling the user why not.
bool exportForeignFile(Editor& editor, const std::string& path);

// The export dialog's title: it says what one unit becomes in STL and 3MF, which slicers read
// as millimetres.
inline constexpr char kExportTitle[] =
    FCW_TR_NOOP("Files", "形式を指定して書き出し（STL と 3MF では 1 単位が %1 mm になります）");
std::string exportDialogTitle(double exportScale, std::string_view pattern = kExportTitle);

} // namespace fcw
