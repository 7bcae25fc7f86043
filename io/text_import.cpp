#include "io/text_import.h"

#include "model/mesh_store.h"
#include "model/numeric.h"
#include "model/translatable.h"

#include <array>
#include <charconv>
#include <cmath>

namespace fcw {

namespace {

constexpr char kTooManyType1[] =
    FCW_TR_NOOP("Message", "ポリゴンの数が多すぎて全てを入力できません。");
constexpr char kTooManyType2Points[] =
    FCW_TR_NOOP("Message", "ポリゴンの数が多すぎて全てを入力できません。色情報は失われます");
constexpr char kTooManyTotal[] =
    FCW_TR_NOOP("Message", "ポリゴンの数が大きすぎて全てを入力できません。");
constexpr char kNotFinite[] = FCW_TR_NOOP("Message", "座標の値が大きすぎて入力できません。");

// A keyword counts when it occurs after the line's first character.
bool contains(std::string_view line, std::string_view keyword) {
    const auto at = line.find(keyword);
    return at != std::string_view::npos && at > 0;
}

std::string_view valueOf(std::string_view line) {
    const auto eq = line.find('=');
    return eq == std::string_view::npos ? std::string_view() : line.substr(eq);
}

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Stores the file value of component c (0 X, 1 Y, 2 Z) of a point in store axes.
void storeComponent(std::array<double, 3>& v, int c, double val, double scale) {
    switch (c) {
    case 0:
        v[1] = val * scale;
        break;
    case 1:
        v[2] = -(val * scale);
        break;
    default:
        v[0] = -(val * scale);
        break;
    }
}

// A DXF group code: a whole number, possibly padded with blanks.
std::optional<int> groupCode(std::string_view line) {
    const std::string_view t = trimmed(line);
    int code = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), code);
    if (t.empty() || error != std::errc() || end != t.data() + t.size()) {
        return std::nullopt;
    }
    return code;
}

Colour dxfColour(std::string_view text) {
    std::int32_t n = truncToInt32(parseDecimal(text));
    n = n < 0 ? 0 : (n > 124 ? 124 : n); // only the 125 packed numbers mean a colour
    auto level = [](std::int32_t i) { return static_cast<Colour>(i == 4 ? 255 : 64 * i); };
    return level(n % 5) + 256 * level((n / 5) % 5) + 65536 * level(n / 25);
}

} // namespace

double parseDecimal(std::string_view text) {
    double value = 0.0;
    double place = 1.0;
    bool negative = false;
    bool fraction = false;
    for (const char ch : text) {
        if (ch == '\r' || ch == '\a') {
            break;
        }
        if (ch == '-') {
            negative = true;
        } else if (ch == '.') {
            fraction = true;
        } else if (ch >= '0' && ch <= '9') {
            const int d = ch - '0';
            if (!fraction) {
                value = value * 10 + d;
            } else {
                place = place * 0.1;
                value = value + place * d;
            }
        }
    }
    return negative ? value * -1.0 : value;
}

std::uint32_t parseHex(std::string_view text) {
    std::uint32_t value = 0;
    bool negative = false;
    for (const char ch : text) {
        if (ch == '\r') {
            break;
        }
        if (ch == '-') {
            negative = true;
        } else if (ch >= '0' && ch <= '9') {
            value = value * 16 + static_cast<std::uint32_t>(ch - '0');
        } else if (ch >= 'a' && ch <= 'f') {
            value = value * 16 + static_cast<std::uint32_t>(ch - 'a' + 10);
        }
    }
    return negative ? 0u - value : value;
}

ModelReader::ModelReader(Format format, double scale) : scale_(scale) {
    if (format == Format::Dxf) {
        kind_ = Kind::Dxf;
    }
}

bool ModelReader::line(std::string_view text) {
    if (kind_ == Kind::Dxf) {
        return dxfLine(text);
    }
    if (firstLine_) {
        firstLine_ = false;
        if (text == "FacetCraftwerk_Text_Type_1") {
            kind_ = Kind::Type1;
        } else if (text == "FacetCraftwerk_Text_Type_2") {
            kind_ = Kind::Type2;
        }
        return kind_ != Kind::Unknown;
    }
    switch (kind_) {
    case Kind::Type1:
        return type1Line(text);
    case Kind::Type2:
        return type2Line(text);
    default:
        return false;
    }
}

std::optional<ImportedModel> ModelReader::finish() {
    if (kind_ == Kind::Dxf) {
        if (!out_.refusal && !out_.message) {
            finishFace();
        }
        if (!sawFace_) {
            return std::nullopt;
        }
    }
    if (kind_ == Kind::Unknown) {
        return std::nullopt;
    }
    return std::move(out_);
}

// Stores a value read from `text` as component `component` of point v; false, with the
// refusal set, when the value in store units is not a coordinate a model may hold.
bool ModelReader::store(std::array<double, 3>& v, int component, std::string_view text) {
    const double val = parseDecimal(text);
    if (!isStorableCoordinate(val * scale_)) { // negation, in storeComponent, keeps it so
        out_.refusal = kNotFinite;
        return false;
    }
    storeComponent(v, component, val, scale_);
    return true;
}

bool ModelReader::type1Line(std::string_view text) {
    if (contains(text, "color")) {
        if (out_.triangles.size() >= static_cast<std::size_t>(kMaxTriangles)) {
            out_.message = kTooManyType1;
            return false;
        }
        out_.triangles.emplace_back();
        out_.triangles.back().colour = parseHex(valueOf(text));
    } else if (contains(text, "P[")) {
        if (!out_.triangles.empty()) { // points before the first triangle are dropped
            auto& v = out_.triangles.back().v[static_cast<std::size_t>(vertex_)];
            if (!store(v, component_, valueOf(text))) {
                return false;
            }
        }
        if (++component_ == 3) {
            component_ = 0;
            vertex_ = (vertex_ + 1) % 3;
        }
    }
    return true;
}

bool ModelReader::type2Line(std::string_view text) {
    if (contains(text, "color")) {
        if (colourCount_ >= static_cast<std::size_t>(kMaxTriangles)) {
            out_.message = kTooManyTotal;
            return false;
        }
        if (colourCount_ < out_.triangles.size()) { // colours of missing triangles dropped
            out_.triangles[colourCount_].colour = parseHex(valueOf(text));
        }
        ++colourCount_;
    } else if (text.find("T[") == std::string_view::npos && text.size() > 4) {
        // A point line: anything long enough without "T[" anywhere (the triangle lines,
        // "T[i].TP[j]=n;", start with it).
        if (component_ == 0 && vertex_ == 0) {
            if (out_.triangles.size() >= static_cast<std::size_t>(kMaxTriangles)) {
                out_.message = kTooManyType2Points;
                return false;
            }
            out_.triangles.emplace_back(); // colour 0 until a colour line says otherwise
        }
        auto& v = out_.triangles.back().v[static_cast<std::size_t>(vertex_)];
        if (!store(v, component_, valueOf(text))) {
            return false;
        }
        if (++component_ == 3) {
            component_ = 0;
            vertex_ = (vertex_ + 1) % 3;
        }
    }
    return true;
}

bool ModelReader::dxfLine(std::string_view text) {
    if (!code_) {
        code_ = groupCode(text); // not a number: out of step by a line, try the next one
        return true;
    }
    const int code = *code_;
    code_.reset();
    return dxfPair(code, text);
}

bool ModelReader::dxfPair(int code, std::string_view value) {
    if (code == 0) {
        if (!finishFace()) {
            return false;
        }
        if (trimmed(value) == "3DFACE") {
            face_ = Face{};
            face_.open = true;
            sawFace_ = true;
        }
        return true;
    }
    if (!face_.open) {
        return true; // values outside a face are dropped
    }
    if (code == 62) {
        face_.colour = dxfColour(value);
    } else if (code >= 10 && code <= 33 && code % 10 <= 3) {
        const auto e = static_cast<std::size_t>(code % 10);
        if (!store(face_.corner[e], code / 10 - 1, value)) {
            return false;
        }
        face_.given[e] = true;
    }
    return true;
}

bool ModelReader::emit(const std::array<double, 3>& a, const std::array<double, 3>& b,
                       const std::array<double, 3>& c) {
    if (out_.triangles.size() >= static_cast<std::size_t>(kMaxTriangles)) {
        out_.message = kTooManyTotal;
        return false;
    }
    TriangleCore t;
    t.colour = face_.colour;
    t.v = {a, b, c};
    out_.triangles.push_back(t);
    return true;
}

// A face becomes triangles when it is complete: at the next entity or the end of the file.
bool ModelReader::finishFace() {
    if (!face_.open) {
        return true;
    }
    face_.open = false;
    const auto& c = face_.corner;
    if (!face_.given[3]) {
        return emit(c[0], c[1], c[2]);
    }
    std::array<std::array<double, 3>, 4> distinct{};
    std::size_t n = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        bool seen = false;
        for (std::size_t j = 0; j < n; ++j) {
            seen = seen || distinct[j] == c[i];
        }
        if (!seen) {
            distinct[n++] = c[i];
        }
    }
    if (n == 4) {
        return emit(c[0], c[1], c[2]) && emit(c[3], c[0], c[2]);
    }
    if (n == 3) {
        return emit(distinct[0], distinct[1], distinct[2]);
    }
    return emit(c[0], c[1], c[2]); // a point or a line: kept as it is
}

namespace {

std::optional<ImportedModel> readAll(ModelReader::Format format, std::string_view content,
                                     double scale) {
    ModelReader reader(format, scale);
    LineSplitter splitter;
    auto take = [&](std::string_view line) { return reader.line(line); };
    if (splitter.feed(content, take)) {
        splitter.finish(take);
    }
    return reader.finish();
}

} // namespace

std::optional<ImportedModel> readTextModel(std::string_view content, double scale) {
    return readAll(ModelReader::Format::Keyword, content, scale);
}

std::optional<ImportedModel> readDxfModel(std::string_view content, double scale) {
    return readAll(ModelReader::Format::Dxf, content, scale);
}

} // namespace fcw
