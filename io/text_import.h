#pragma once

#include "model/triangle.h"

#include <algorithm>
#include <array>
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
    std::vector<TriangleCore> triangles; // complete triangles, in store axes
    std::optional<std::string> message;  // a limit message to show; the triangles still count
    // Set when a coordinate came out as NaN or infinite (a number of hundreds of digits, or
    // times the scale): the file cannot be used at all and the current model must stay.
    std::optional<std::string> refusal;
};

// Splits text into lines at CR LF, LF or a lone CR (files from any platform), a piece at a
// time, so a file can be read without holding it whole. A line is handed over once it is
// kMaxLineBytes long, cut there (no keyword, group code or number needs as much), and the rest
// of it is skipped: memory stays bounded even for a file without line breaks.
class LineSplitter {
  public:
    static constexpr std::size_t kMaxLineBytes = 4096;

    // Feeds the next piece, calling onLine(std::string_view) for each line it completes.
    // False as soon as onLine returns false.
    template <typename OnLine> bool feed(std::string_view piece, OnLine&& onLine) {
        std::size_t i = 0;
        while (i < piece.size()) {
            if (pendingCr_) {
                pendingCr_ = false;
                if (piece[i] == '\n') { // the LF of a CR LF
                    ++i;
                    continue;
                }
            }
            const std::size_t end = piece.find_first_of("\r\n", i);
            const std::size_t stop = end == std::string_view::npos ? piece.size() : end;
            if (!skipping_) {
                const std::size_t length = stop - i;
                if (end != std::string_view::npos && line_.empty() && length < kMaxLineBytes) {
                    // A whole line inside this piece: handed over where it lies.
                    if (!onLine(piece.substr(i, length))) {
                        return false;
                    }
                    pendingCr_ = piece[end] == '\r';
                    i = end + 1;
                    continue;
                }
                line_.append(piece.data() + i, std::min(length, kMaxLineBytes - line_.size()));
                if (line_.size() == kMaxLineBytes) {
                    skipping_ = true;
                    const bool more = onLine(std::string_view(line_));
                    line_.clear();
                    if (!more) {
                        return false;
                    }
                }
            }
            if (end == std::string_view::npos) {
                return true;
            }
            pendingCr_ = piece[end] == '\r';
            i = end + 1;
            if (skipping_) {
                skipping_ = false; // the end of an overlong line, already handed over
                continue;
            }
            const bool more = onLine(std::string_view(line_));
            line_.clear();
            if (!more) {
                return false;
            }
        }
        return true;
    }
    // Hands over a last line that has no line break after it.
    template <typename OnLine> void finish(OnLine&& onLine) {
        if (!line_.empty()) {
            onLine(std::string_view(line_));
        }
        line_.clear();
    }

  private:
    std::string line_;
    bool pendingCr_ = false; // the last character was a CR: an LF right after it belongs to it
    bool skipping_ = false;  // inside the rest of an overlong line
};

// Reads a model one line at a time: a keyword text file (type 1 or type 2, told by its first
// line) or the 3DFACE entities of a DXF file. At most 3000 triangles are kept; a file with more
// stops with the reader's message and keeps what came before.
//
// DXF: group codes and values come in pairs of lines; a line where a group code is due that is
// not a whole number (a stray blank line before or between entities) is skipped, so the pairs
// are found again. Codes may be padded with blanks and corners may come in any order; a face
// that repeats a corner is one triangle of its distinct corners, a face of four distinct
// corners is two triangles (1-2-3 and 4-1-3) of the face's colour.
class ModelReader {
  public:
    enum class Format { Keyword, Dxf };
    ModelReader(Format format, double scale);

    // Takes the next line, without its line break. False once the reader needs no more: a
    // limit was reached, a value was refused or the first line is no known header.
    bool line(std::string_view text);
    // The model, after the last line. Nothing when a keyword file's first line is no known
    // header (or there was no line), or a DXF file holds no 3DFACE entity.
    std::optional<ImportedModel> finish();

  private:
    enum class Kind { Unknown, Type1, Type2, Dxf };
    struct Face {
        bool open = false;
        Colour colour = 0;
        std::array<std::array<double, 3>, 4> corner{};
        std::array<bool, 4> given{};
    };

    bool type1Line(std::string_view text);
    bool type2Line(std::string_view text);
    bool dxfLine(std::string_view text);
    bool dxfPair(int code, std::string_view value);
    bool emit(const std::array<double, 3>& a, const std::array<double, 3>& b,
              const std::array<double, 3>& c);
    bool finishFace();
    bool store(std::array<double, 3>& v, int component, std::string_view text);

    double scale_;
    Kind kind_ = Kind::Unknown;
    bool firstLine_ = true;
    ImportedModel out_;
    int component_ = 0; // keyword files: points fill triangles in file order, three
    int vertex_ = 0;    // components per point, three points per triangle
    std::size_t colourCount_ = 0;
    std::optional<int> code_; // DXF: the group code whose value is the next line
    bool sawFace_ = false;
    Face face_;
};

// Reads a whole keyword text file (type 1 or type 2) held in memory.
std::optional<ImportedModel> readTextModel(std::string_view content, double scale);

// Reads the 3DFACE entities of a whole DXF file held in memory.
std::optional<ImportedModel> readDxfModel(std::string_view content, double scale);

} // namespace fcw
