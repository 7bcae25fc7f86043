#pragma once

#include "io/palette_files.h"

#include <vector>

namespace fcw {

// Gathers a reader's colours: keeps the first kMaxPaletteColours, counts the rest and the
// entries left out, and refuses a file that gave no colour at all. Used by the palette readers
// only.
class PaletteCollector {
  public:
    enum class Repeats { Keep, Drop };
    explicit PaletteCollector(Repeats repeats = Repeats::Keep) : repeats_(repeats) {}

    void add(Colour colour, std::string_view name = {});
    void skip() { ++read_.skipped; }
    void setName(std::string_view name);
    // The palette read; a refusal (with the palette emptied) when `error` is given or no
    // colour came.
    PaletteRead finish(const char* error = nullptr) &&;

  private:
    PaletteRead read_;
    Repeats repeats_;
    std::vector<bool> seen_; // one bit per 24-bit colour, while repeats are dropped
};

// `name` with control characters blanked, cut to kMaxPaletteNameBytes at a character boundary
// and trimmed of blanks, so any name can stand on one line of a written file and read back the
// same.
std::string cleanPaletteName(std::string_view name);

} // namespace fcw
