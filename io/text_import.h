#pragma once

#include "model/triangle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fcw {

// The readers' number parsers. parseDecimal takes digits in order, "." starts the fraction and
// a "-" anywhere makes the value negative; everything else is skipped and a carriage return or
// BEL ends the text (so "1.5E+02" is 1.502, "1-2" is -12). parseHex takes 0-9 and lower-case
// a-f only ("0xFF" is 0).
double parseDecimal(std::string_view text);
std::uint32_t parseHex(std::string_view text);

struct ImportedModel {
    std::vector<TriangleCore> triangles;   // complete triangles, in store axes
    std::optional<std::string> message;    // a limit message to show; the triangles still count
};

// Reads a keyword text file (type 1 or type 2). Returns nothing when the first line is not a
// known header. At most 3001 triangles are kept; a file with more stops with the reader's
// message and keeps what came before.
std::optional<ImportedModel> readTextModel(std::string_view content, double scale);

// Reads the 3DFACE entities of a DXF file. Group codes may be padded with blanks and corners
// may come in any order; a face that repeats a corner is one triangle of its distinct corners,
// a face of four distinct corners is two triangles (1-2-3 and 4-1-3) of the face's colour.
ImportedModel readDxfModel(std::string_view content, double scale);

// Splits text into lines at CR LF, LF or a lone CR (files from any platform).
std::vector<std::string_view> splitLines(std::string_view content);

} // namespace fcw
