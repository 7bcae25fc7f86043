#include "io/text_import.h"

#include "model/mesh_store.h"
#include "model/numeric.h"

#include <array>

namespace fcw {

namespace {

constexpr char kTooManyType1[] = "ポリゴンの数が多すぎて全てを入力できません。";
constexpr char kTooManyType2Points[] =
    "ポリゴンの数が多すぎて全てを入力できません。色情報は失われます";
constexpr char kTooManyTotal[] = "ポリゴンの数が大きすぎて全てを入力できません。";

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

// Points fill triangles in file order, three components per point, three points per triangle.
struct PointCursor {
    int component = 0;
    int vertex = 0;
    void advance() {
        if (++component == 3) {
            component = 0;
            vertex = (vertex + 1) % 3;
        }
    }
};

ImportedModel readType1(const std::vector<std::string_view>& lines, double scale) {
    ImportedModel out;
    PointCursor cursor;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (contains(line, "color")) {
            if (out.triangles.size() >= static_cast<std::size_t>(kTriangleSlots)) {
                out.message = kTooManyType1;
                break;
            }
            out.triangles.emplace_back();
            out.triangles.back().colour = parseHex(valueOf(line));
        } else if (contains(line, "P[")) {
            if (!out.triangles.empty()) { // points before the first triangle are dropped
                auto& v = out.triangles.back().v[static_cast<std::size_t>(cursor.vertex)];
                storeComponent(v, cursor.component, parseDecimal(valueOf(line)), scale);
            }
            cursor.advance();
        }
    }
    return out;
}

ImportedModel readType2(const std::vector<std::string_view>& lines, double scale) {
    ImportedModel out;
    PointCursor cursor;
    std::size_t colourCount = 0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (contains(line, "color")) {
            if (colourCount >= static_cast<std::size_t>(kTriangleSlots)) {
                out.message = kTooManyTotal;
                break;
            }
            if (colourCount < out.triangles.size()) { // colours of missing triangles dropped
                out.triangles[colourCount].colour = parseHex(valueOf(line));
            }
            ++colourCount;
        } else if (line.find("T[") == std::string_view::npos && line.size() > 4) {
            // A point line: anything long enough without "T[" anywhere (the triangle lines,
            // "T[i].TP[j]=n;", start with it).
            if (cursor.component == 0 && cursor.vertex == 0) {
                if (out.triangles.size() >= static_cast<std::size_t>(kTriangleSlots)) {
                    out.message = kTooManyType2Points;
                    break;
                }
                out.triangles.emplace_back(); // colour 0 until a colour line says otherwise
            }
            auto& v = out.triangles.back().v[static_cast<std::size_t>(cursor.vertex)];
            storeComponent(v, cursor.component, parseDecimal(valueOf(line)), scale);
            cursor.advance();
        }
    }
    return out;
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

std::vector<std::string_view> splitLines(std::string_view content) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\n' || content[i] == '\r') {
            lines.push_back(content.substr(start, i - start));
            if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < content.size()) {
        lines.push_back(content.substr(start));
    }
    return lines;
}

std::optional<ImportedModel> readTextModel(std::string_view content, double scale) {
    const std::vector<std::string_view> lines = splitLines(content);
    if (lines.empty()) {
        return std::nullopt;
    }
    if (lines[0] == "FacetCraftwerk_Text_Type_1") {
        return readType1(lines, scale);
    }
    if (lines[0] == "FacetCraftwerk_Text_Type_2") {
        return readType2(lines, scale);
    }
    return std::nullopt;
}

ImportedModel readDxfModel(std::string_view content, double scale) {
    ImportedModel out;
    const std::vector<std::string_view> lines = splitLines(content);
    struct Face {
        bool open = false;
        Colour colour = 0;
        std::array<std::array<double, 3>, 4> corner{};
        std::array<bool, 4> given{};
    } face;

    auto emit = [&](const std::array<double, 3>& a, const std::array<double, 3>& b,
                    const std::array<double, 3>& c) {
        if (out.triangles.size() >= static_cast<std::size_t>(kTriangleSlots)) {
            out.message = kTooManyTotal;
            return false;
        }
        TriangleCore t;
        t.colour = face.colour;
        t.v = {a, b, c};
        out.triangles.push_back(t);
        return true;
    };
    // A face becomes triangles when it is complete: at the next entity or the end of file.
    auto finishFace = [&]() {
        if (!face.open) {
            return true;
        }
        face.open = false;
        const auto& c = face.corner;
        if (!face.given[3]) {
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
    };

    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        const std::string_view code = trimmed(lines[i]);
        const std::string_view value = lines[i + 1];
        if (code == "0") {
            if (!finishFace()) {
                return out;
            }
            if (trimmed(value) == "3DFACE") {
                face = Face{};
                face.open = true;
            }
            continue;
        }
        if (!face.open) {
            continue; // values outside a face are dropped
        }
        if (code == "62") {
            face.colour = dxfColour(value);
        } else if (code.size() == 2 && code[0] >= '1' && code[0] <= '3' && code[1] >= '0' &&
                   code[1] <= '3') {
            const auto e = static_cast<std::size_t>(code[1] - '0');
            storeComponent(face.corner[e], code[0] - '1', parseDecimal(value), scale);
            face.given[e] = true;
        }
    }
    finishFace();
    return out;
}

} // namespace fcw
