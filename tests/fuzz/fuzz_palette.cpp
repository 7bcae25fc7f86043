// Feeds arbitrary bytes to the palette readers; the first byte chooses the reader (GIMP, hex,
// Paint.NET, swatch exchange, or the rest taken as swatch pixels). Whatever a reader keeps must
// be a palette the program can hold and write: at most 256 colours, names on one line, and a
// GIMP palette written from it reads back the same.

#include "io/palette_files.h"
#include "tests/fuzz/fuzz_support.h"

#include <cstring>

using namespace fcw;

namespace {

PaletteRead readAs(std::uint8_t choice, std::span<const std::uint8_t> bytes) {
    constexpr PaletteFormat kFormats[] = {PaletteFormat::Gpl, PaletteFormat::Hex,
                                          PaletteFormat::PaintNet, PaletteFormat::Ase};
    if (choice % 5 < 4) {
        return readPaletteBytes(kFormats[choice % 5], bytes);
    }
    std::vector<std::uint32_t> pixels(bytes.size() / 4);
    if (!pixels.empty()) {
        std::memcpy(pixels.data(), bytes.data(), pixels.size() * 4);
    }
    return paletteFromPixels(pixels);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const PaletteRead r = readAs(data[0], std::span(data + 1, size - 1));
    fuzz::check(r.error.empty() != r.palette.colours.empty(), "a refusal or at least one colour");
    fuzz::check(r.palette.colours.size() <= kMaxPaletteColours, "at most 256 colours");
    fuzz::check(r.skipped >= 0, "a count of skipped lines");
    for (const PaletteColour& c : r.palette.colours) {
        fuzz::check(c.colour <= 0xFFFFFFu, "a 24-bit colour");
        fuzz::check(c.name.size() <= kMaxPaletteNameBytes, "a name of at most 255 bytes");
        fuzz::check(c.name.find_first_of("\r\n") == std::string::npos, "a name on one line");
    }
    if (r.error.empty()) {
        const PaletteRead back = readGplPalette(writeGplPalette(r.palette));
        fuzz::check(back.skipped == 0 && back.palette.colours == r.palette.colours,
                    "the written palette reads back, names and all");
    }
    return 0;
}
