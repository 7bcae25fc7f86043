#include "io/gltf_writer.h"

#include "io/interchange.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

namespace fcw {

namespace {

constexpr int kFloat = 5126;
constexpr int kArrayBuffer = 34962;
constexpr int kTriangles = 4;

// The binary buffer and the JSON that describes it.
struct GltfParts {
    std::vector<std::uint8_t> buffer;
    std::string json; // without the "buffers" entry, which differs between the two forms
};

// Nine significant digits bring every float back exactly.
std::string number(float v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", static_cast<double>(v));
    return text;
}

void appendFloat(std::vector<std::uint8_t>& out, float v) {
    std::uint8_t bytes[4];
    std::memcpy(bytes, &v, 4); // glTF buffers are little-endian, as this machine is
    out.insert(out.end(), bytes, bytes + 4);
}

std::string vec3(const std::array<float, 3>& v) {
    return "[" + number(v[0]) + "," + number(v[1]) + "," + number(v[2]) + "]";
}

// Positions of every group, then their normals; one accessor pair per group.
GltfParts buildParts(std::span<const ExternalTriangle> triangles) {
    const std::vector<ColourGroup> groups = groupByColour(triangles);
    std::vector<std::uint8_t> positions;
    std::vector<std::uint8_t> normals;
    std::string accessors;
    std::string materials;
    std::string primitives;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const std::size_t offset = positions.size();
        std::array<float, 3> lo;
        std::array<float, 3> hi;
        lo.fill(std::numeric_limits<float>::max());
        hi.fill(std::numeric_limits<float>::lowest());
        for (std::size_t i : groups[g].members) {
            const ExternalTriangle& t = triangles[i];
            const Vec3 n = writtenNormal(t);
            for (const Vec3& c : t.corner) {
                for (int a = 0; a < 3; ++a) {
                    const float v = static_cast<float>(c[static_cast<std::size_t>(a)]);
                    lo[static_cast<std::size_t>(a)] = std::min(lo[static_cast<std::size_t>(a)], v);
                    hi[static_cast<std::size_t>(a)] = std::max(hi[static_cast<std::size_t>(a)], v);
                    appendFloat(positions, v);
                    appendFloat(normals, static_cast<float>(n[static_cast<std::size_t>(a)]));
                }
            }
        }
        const std::string count = std::to_string(groups[g].members.size() * 3);
        const std::string sep = g == 0 ? "" : ",";
        accessors += sep + "{\"bufferView\":0,\"byteOffset\":" + std::to_string(offset) +
                     ",\"componentType\":" + std::to_string(kFloat) + ",\"count\":" + count +
                     ",\"type\":\"VEC3\",\"min\":" + vec3(lo) + ",\"max\":" + vec3(hi) + "}";
        accessors += ",{\"bufferView\":1,\"byteOffset\":" + std::to_string(offset) +
                     ",\"componentType\":" + std::to_string(kFloat) + ",\"count\":" + count +
                     ",\"type\":\"VEC3\"}";
        const Colour c = groups[g].colour;
        char name[16];
        std::snprintf(name, sizeof name, "colour_%02x%02x%02x", redOf(c), greenOf(c), blueOf(c));
        materials += sep + "{\"name\":\"" + name + "\",\"pbrMetallicRoughness\":{" +
                     "\"baseColorFactor\":[" + number(linearFromSrgbByte(redOf(c))) + "," +
                     number(linearFromSrgbByte(greenOf(c))) + "," +
                     number(linearFromSrgbByte(blueOf(c))) +
                     ",1],\"metallicFactor\":0,\"roughnessFactor\":1}}";
        primitives += sep + "{\"attributes\":{\"POSITION\":" + std::to_string(2 * g) +
                      ",\"NORMAL\":" + std::to_string(2 * g + 1) +
                      "},\"material\":" + std::to_string(g) +
                      ",\"mode\":" + std::to_string(kTriangles) + "}";
    }
    GltfParts parts;
    const std::size_t half = positions.size();
    parts.buffer = std::move(positions);
    parts.buffer.insert(parts.buffer.end(), normals.begin(), normals.end());
    // Every primitive has its own accessors into the two views, so the stride must be given.
    const std::string view = ",\"byteStride\":12,\"byteLength\":" + std::to_string(half) +
                             ",\"target\":" + std::to_string(kArrayBuffer) + "}";
    parts.json = "{\"asset\":{\"version\":\"2.0\",\"generator\":\"FacetCraftwerk\"}," +
                 std::string("\"scene\":0,\"scenes\":[{\"nodes\":[0]}],") +
                 "\"nodes\":[{\"mesh\":0}],\"meshes\":[{\"primitives\":[" + primitives +
                 "]}],\"materials\":[" + materials + "],\"accessors\":[" + accessors +
                 "],\"bufferViews\":[{\"buffer\":0,\"byteOffset\":0" + view +
                 ",{\"buffer\":0,\"byteOffset\":" + std::to_string(half) + view + "]";
    return parts;
}

std::string base64(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t a = bytes[i];
        const std::uint32_t b = i + 1 < bytes.size() ? bytes[i + 1] : 0;
        const std::uint32_t c = i + 2 < bytes.size() ? bytes[i + 2] : 0;
        const std::uint32_t triple = (a << 16) | (b << 8) | c;
        out += kDigits[(triple >> 18) & 63];
        out += kDigits[(triple >> 12) & 63];
        out += i + 1 < bytes.size() ? kDigits[(triple >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? kDigits[triple & 63] : '=';
    }
    return out;
}

void appendU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

} // namespace

std::vector<std::uint8_t> encodeGlb(std::span<const ExternalTriangle> triangles) {
    GltfParts parts = buildParts(triangles);
    std::string json =
        parts.json + ",\"buffers\":[{\"byteLength\":" + std::to_string(parts.buffer.size()) + "}]}";
    while (json.size() % 4 != 0) {
        json += ' '; // the JSON chunk is padded with blanks
    }
    while (parts.buffer.size() % 4 != 0) {
        parts.buffer.push_back(0);
    }
    std::vector<std::uint8_t> out;
    const std::size_t total = 12 + 8 + json.size() + 8 + parts.buffer.size();
    out.reserve(total);
    appendU32(out, 0x46546C67u); // "glTF"
    appendU32(out, 2);
    appendU32(out, static_cast<std::uint32_t>(total));
    appendU32(out, static_cast<std::uint32_t>(json.size()));
    appendU32(out, 0x4E4F534Au); // "JSON"
    out.insert(out.end(), json.begin(), json.end());
    appendU32(out, static_cast<std::uint32_t>(parts.buffer.size()));
    appendU32(out, 0x004E4942u); // "BIN"
    out.insert(out.end(), parts.buffer.begin(), parts.buffer.end());
    return out;
}

std::string encodeGltfText(std::span<const ExternalTriangle> triangles) {
    const GltfParts parts = buildParts(triangles);
    return parts.json + ",\"buffers\":[{\"byteLength\":" + std::to_string(parts.buffer.size()) +
           ",\"uri\":\"data:application/octet-stream;base64," + base64(parts.buffer) + "\"}]}\n";
}

} // namespace fcw
