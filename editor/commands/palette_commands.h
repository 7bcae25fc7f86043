#pragma once

#include "io/palette_files.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace fcw {

class Editor;

// Reads the palette file at `path` (its format by the extension; a swatch picture through the
// Host's decoder) and makes it the palette, then keeps it beside the settings. Entries left out
// are told in one message. A file that cannot be read or holds no colour is refused with a
// message, and the palette stays as it was.
bool loadPaletteFile(Editor& editor, const std::string& path);
// Writes the palette to `path`: a GIMP palette, or one rrggbb a line for a .hex name. The file
// is replaced only when written whole.
bool exportPaletteFile(Editor& editor, const std::string& path);

// Command 33045: a file dialog, then loadPaletteFile.
void loadPalette(Editor& editor);
// Command 33046: a file dialog, then exportPaletteFile (a name without .gpl or .hex takes the
// extension of the type chosen).
void exportPalette(Editor& editor);
// Command 33047: the model's distinct colours, in order of first use, become the palette.
void paletteFromModel(Editor& editor);

// A click on swatch `index`: its colour becomes the current colour and the Paint tool is
// chosen, as a pick in the palette dialog does. False (and nothing changes) when the palette
// has no such swatch.
bool pickPaletteColour(Editor& editor, std::size_t index);
// The panel's field: a colour typed as #RRGGBB becomes the current colour as a swatch click
// does. Anything else is refused with a message.
bool takeTypedColour(Editor& editor, std::string_view text);

// Where the palette is kept for a settings file: "palette.gpl" in its folder.
std::string palettePathBeside(const std::string& profilePath);
// At the start (and the batch verb `profile`): the kept palette, when there is one. A kept
// file that cannot be read is told in the status bar and the palette stays empty.
void readKeptPalette(Editor& editor);

} // namespace fcw
