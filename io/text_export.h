#pragma once

#include "model/triangle.h"

#include <span>
#include <string>

namespace fcw {

enum class TextFormat { Dxf = 0, Type1 = 1, Type2 = 2 };

struct TextExportOptions {
    double scale = 1.0; // file units per model unit
    bool writeColours = true;
    std::string title; // DXF comment and layer name: the file name without extension
};

// The three exchange formats, with CR LF line ends. Coordinates go out as
// (scale * y, -(scale * z), -(scale * x)) with six decimals; a negated zero prints as
// -0.000000.
std::string writeTextType1(std::span<const Triangle> triangles, const TextExportOptions& options);
std::string writeTextType2(std::span<const Triangle> triangles, const TextExportOptions& options);
std::string writeDxf(std::span<const Triangle> triangles, const TextExportOptions& options);

// The DXF colour number: five levels per channel packed as 25 b + 5 g + r (0 black, 124 white).
int dxfColourNumber(Colour colour);

} // namespace fcw
