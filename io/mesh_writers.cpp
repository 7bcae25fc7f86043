#include "io/mesh_writers.h"

#include "io/interchange.h"

#include <charconv>
#include <cstdio>
#include <cstring>

namespace fcw {

namespace {

void appendShortest(std::string& out, double v) {
    char text[32];
    const auto r = std::to_chars(text, text + sizeof text, v);
    out.append(text, r.ptr);
}

void appendTriple(std::string& out, const char* keyword, const Vec3& v) {
    out += keyword;
    for (double c : v) {
        out += ' ';
        appendShortest(out, c);
    }
    out += '\n';
}

std::string materialName(Colour c) {
    char name[16];
    std::snprintf(name, sizeof name, "colour_%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
    return name;
}

std::string linearNumber(std::uint8_t byte) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(linearFromSrgbByte(byte)));
    return text;
}

template <typename T> void appendLittle(std::vector<std::uint8_t>& out, T v) {
    std::uint8_t bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T)); // this machine is little-endian, as both formats are
    out.insert(out.end(), bytes, bytes + sizeof(T));
}

void appendFloats(std::vector<std::uint8_t>& out, const Vec3& v) {
    for (double c : v) {
        appendLittle(out, static_cast<float>(c));
    }
}

} // namespace

ObjFiles encodeObj(std::span<const ExternalTriangle> triangles, const std::string& mtlName) {
    ObjFiles files;
    files.obj = "# FacetCraftwerk\nmtllib " + mtlName + "\no FacetCraftwerk\n";
    files.mtl = "# FacetCraftwerk\n";
    std::size_t corner = 0; // 1-based indices below: corner + 1 .. corner + 3, face + 1
    std::size_t face = 0;
    for (const ColourGroup& group : groupByColour(triangles)) {
        const std::string name = materialName(group.colour);
        files.mtl += "newmtl " + name + "\nKd " + linearNumber(redOf(group.colour)) + " " +
                     linearNumber(greenOf(group.colour)) + " " +
                     linearNumber(blueOf(group.colour)) + "\nKa 0 0 0\nKs 0 0 0\nd 1\nillum 1\n";
        files.obj += "usemtl " + name + "\n";
        for (std::size_t i : group.members) {
            const ExternalTriangle& t = triangles[i];
            for (const Vec3& c : t.corner) {
                appendTriple(files.obj, "v", c);
            }
            appendTriple(files.obj, "vn", writtenNormal(t));
            const std::string n = std::to_string(face + 1);
            files.obj += "f " + std::to_string(corner + 1) + "//" + n + " " +
                         std::to_string(corner + 2) + "//" + n + " " + std::to_string(corner + 3) +
                         "//" + n + "\n";
            corner += 3;
            ++face;
        }
    }
    return files;
}

std::vector<std::uint8_t> encodeStl(std::span<const ExternalTriangle> triangles) {
    std::vector<std::uint8_t> out;
    out.reserve(84 + 50 * triangles.size());
    // The header must not start with "solid": readers would take the file for ASCII.
    char header[80] = {};
    std::snprintf(header, sizeof header, "FacetCraftwerk binary STL");
    out.insert(out.end(), header, header + 80);
    appendLittle(out, static_cast<std::uint32_t>(triangles.size()));
    for (const ExternalTriangle& t : triangles) {
        appendFloats(out, writtenNormal(t));
        for (const Vec3& c : t.corner) {
            appendFloats(out, c);
        }
        appendLittle(out, std::uint16_t{0});
    }
    return out;
}

std::vector<std::uint8_t> encodePly(std::span<const ExternalTriangle> triangles) {
    const std::string header = "ply\nformat binary_little_endian 1.0\n"
                               "comment FacetCraftwerk\nelement vertex " +
                               std::to_string(3 * triangles.size()) +
                               "\nproperty float x\nproperty float y\nproperty float z\n"
                               "property uchar red\nproperty uchar green\nproperty uchar blue\n"
                               "element face " +
                               std::to_string(triangles.size()) +
                               "\nproperty list uchar int vertex_indices\nend_header\n";
    std::vector<std::uint8_t> out(header.begin(), header.end());
    out.reserve(header.size() + triangles.size() * (3 * 15 + 13));
    for (const ExternalTriangle& t : triangles) {
        for (const Vec3& c : t.corner) {
            appendFloats(out, c);
            out.push_back(redOf(t.colour));
            out.push_back(greenOf(t.colour));
            out.push_back(blueOf(t.colour));
        }
    }
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        out.push_back(3);
        for (int k = 0; k < 3; ++k) {
            appendLittle(out, static_cast<std::int32_t>(3 * i + static_cast<std::size_t>(k)));
        }
    }
    return out;
}

} // namespace fcw
