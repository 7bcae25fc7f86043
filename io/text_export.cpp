#include "io/text_export.h"

#include <cstdio>

namespace fcw {

namespace {

constexpr char kEol[] = "\r\n";

// "%f": fixed notation with six decimals, however large the value.
std::string fixed(double value) {
    const int size = std::snprintf(nullptr, 0, "%f", value);
    std::string out(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(out.data(), out.size(), "%f", value);
    out.resize(static_cast<std::size_t>(size));
    return out;
}

std::string hex(Colour colour) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%x", colour);
    return buffer;
}

struct FilePoint {
    double x, y, z;
};

FilePoint filePoint(const Point3& p, double scale) {
    return {scale * p.y, -(scale * p.z), -(scale * p.x)};
}

void line(std::string& out, const std::string& text) {
    out += text;
    out += kEol;
}

} // namespace

int dxfColourNumber(Colour colour) {
    const int r = static_cast<int>(colour & 0xFF);
    const int g = static_cast<int>((colour >> 8) & 0xFF);
    const int b = static_cast<int>((colour >> 16) & 0xFF);
    return 25 * ((b + 1) / 64) + 5 * ((g + 1) / 64) + (r + 1) / 64;
}

std::string writeTextType1(std::span<const Triangle> triangles, const TextExportOptions& options) {
    std::string out;
    line(out, "FacetCraftwerk_Text_Type_1");
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const std::string t = "T[" + std::to_string(i) + "]";
        if (options.writeColours) {
            line(out, t + ".color=0x" + hex(triangles[i].colour) + ";");
        }
        for (std::size_t j = 0; j < 3; ++j) {
            const FilePoint p = filePoint(triangles[i].v[j], options.scale);
            const std::string v = t + ".P[" + std::to_string(j) + "]";
            line(out, v + ".x=" + fixed(p.x) + ";");
            line(out, v + ".y=" + fixed(p.y) + ";");
            line(out, v + ".z=" + fixed(p.z) + ";");
        }
        line(out, "");
    }
    return out;
}

std::string writeTextType2(std::span<const Triangle> triangles, const TextExportOptions& options) {
    std::string out;
    line(out, "FacetCraftwerk_Text_Type_2");
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            const FilePoint p = filePoint(triangles[i].v[j], options.scale);
            const std::string n = "P[" + std::to_string(3 * i + j) + "]";
            line(out, n + ".x=" + fixed(p.x) + ";");
            line(out, n + ".y=" + fixed(p.y) + ";");
            line(out, n + ".z=" + fixed(p.z) + ";");
        }
    }
    line(out, "");
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const std::string t = "T[" + std::to_string(i) + "]";
        if (options.writeColours) {
            line(out, t + ".color=0x" + hex(triangles[i].colour) + ";");
        }
        for (std::size_t j = 0; j < 3; ++j) {
            line(out, t + ".TP[" + std::to_string(j) + "]=" + std::to_string(3 * i + j) + ";");
        }
    }
    return out;
}

std::string writeDxf(std::span<const Triangle> triangles, const TextExportOptions& options) {
    std::string out;
    for (const char* text : {"0", "SECTION", "2", "ENTITIES", "999"}) {
        line(out, text);
    }
    line(out, options.title);
    for (const Triangle& t : triangles) {
        line(out, "0");
        line(out, "3DFACE");
        line(out, "8");
        line(out, options.title);
        if (options.writeColours) {
            line(out, "62");
            line(out, std::to_string(dxfColourNumber(t.colour)));
        }
        for (std::size_t j = 0; j < 4; ++j) {
            // The fourth corner repeats the first: a triangle as a degenerate quadrilateral.
            const FilePoint p = filePoint(t.v[j % 3], options.scale);
            const std::string digit = std::to_string(j);
            line(out, "1" + digit);
            line(out, fixed(p.x));
            line(out, "2" + digit);
            line(out, fixed(p.y));
            line(out, "3" + digit);
            line(out, fixed(p.z));
        }
    }
    for (const char* text : {"0", "ENDSEC", "0", "EOF"}) {
        line(out, text);
    }
    return out;
}

} // namespace fcw
