#pragma once

#include "model/translatable.h"
#include "model/triangle.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fcw {

// A palette holds at most this many colours; a file with more gives its first ones.
inline constexpr std::size_t kMaxPaletteColours = 256;
// A palette file larger than this is refused before it is parsed: thousands of colour lines
// with their comments fit many times over.
inline constexpr std::size_t kMaxPaletteFileBytes = 1u << 20;
// A swatch picture of more pixels is refused before it is decoded.
inline constexpr std::size_t kMaxSwatchPixels = 1u << 20;
// A colour's name is cut to at most this many bytes (at a character boundary).
inline constexpr std::size_t kMaxPaletteNameBytes = 255;

struct PaletteColour {
    Colour colour = 0; // 0x00BBGGRR, as the triangles'
    std::string name;  // UTF-8, may be empty
    bool operator==(const PaletteColour&) const = default;
};

struct Palette {
    std::string name; // the file's own name for it (a .gpl's `Name:`), may be empty
    std::vector<PaletteColour> colours;
    bool operator==(const Palette&) const = default;
};

// What a reader made of a file. When `error` is set the whole file is refused and `palette`
// is empty; otherwise it holds at least one colour.
struct PaletteRead {
    Palette palette;
    int skipped = 0;          // lines or entries out of range or malformed, left out
    std::size_t leftOver = 0; // colours past the first kMaxPaletteColours, left out
    std::string error;        // a Japanese text marked for translation (context Message)
};

enum class PaletteFormat { Unknown, Gpl, Hex, PaintNet, Ase, Png };

// By the extension, in any case: .gpl, .hex, .txt (Paint.NET), .ase, .png.
PaletteFormat paletteFormatOf(std::string_view path);

// GIMP palette: the "GIMP Palette" first line, then `Name:` and `Columns:` lines, `#`
// comments and "R G B name" lines of decimal 0..255 values.
PaletteRead readGplPalette(std::string_view text);
// One RRGGBB a line, in hex digits of either case, with or without a leading '#'.
PaletteRead readHexPalette(std::string_view text);
// Paint.NET: `;` comments, one AARRGGBB a line (the alpha is not kept).
PaletteRead readPaintNetPalette(std::string_view text);
// Adobe swatch exchange: big-endian blocks; colour entries in RGB, CMYK, LAB (D50) or Gray are
// converted to sRGB, groups are flattened, blocks of other kinds are skipped by their length.
// A file that ends inside its header or a block, or a block that runs past the end, is refused.
PaletteRead readAsePalette(std::span<const std::uint8_t> bytes);
// Any format but Png, from the file's bytes.
PaletteRead readPaletteBytes(PaletteFormat format, std::span<const std::uint8_t> bytes);

// A swatch picture: each pixel (0xAARRGGBB, rows top to bottom) is a colour, in reading
// order, repeats dropped. Fully transparent pixels are the picture's background, not colours.
PaletteRead paletteFromPixels(std::span<const std::uint32_t> argb);
// The distinct colours of `colours`, in order of first appearance.
PaletteRead paletteFromColours(std::span<const Colour> colours);

// The files written: a GIMP palette with the colours' names, or one rrggbb a line.
std::string writeGplPalette(const Palette& palette);
std::string writeHexPalette(const Palette& palette);

// "#RRGGBB" (the '#' may be left out, digits of either case, blanks around allowed).
std::optional<Colour> parseHexColour(std::string_view text);
// "#rrggbb".
std::string hexColourText(Colour colour);

inline constexpr Colour rgbColour(int red, int green, int blue) {
    return static_cast<Colour>(red) | static_cast<Colour>(green) << 8 |
           static_cast<Colour>(blue) << 16;
}

// Marks for the refusals the readers give, so callers and tests can name them.
inline constexpr char kPaletteEmpty[] = FCW_TR_NOOP("Message", "パレットに色がありません。");

} // namespace fcw
